#include "keycodes/HidKeyNames.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "keycodes/KeyCodeWord.h"

namespace {

std::wstring NameOfUsage(int usage) {
    for (int index = 0; index < kHidKeyNameCount; ++index) {
        if (UsageFromListIndex(index) == usage)
            return std::wstring(g_hidKeyNames[static_cast<size_t>(index)]);
    }
    ADD_FAILURE() << "usage " << usage << " not listed";
    return {};
}

// Runs of names that count up: usage of the first name, prefix, first and last number.
TEST(HidKeyNames, NumberedRunsCountUpWithoutGaps) {
    struct Run {
        int firstUsage;
        const wchar_t* prefix;
        int first, last;
    };
    const Run runs[] = {
        {0x3A, L"F", 1, 12},   {0x59, L"Keypad ", 1, 9},
        {0x68, L"F", 13, 24},  {0x87, L"International", 1, 9},
        {0x90, L"LANG", 1, 9}, {0x1E, L"", 1, 9},
    };
    for (const Run& run : runs) {
        for (int number = run.first; number <= run.last; ++number) {
            const int usage = run.firstUsage + number - run.first;
            EXPECT_EQ(NameOfUsage(usage), run.prefix + std::to_wstring(number))
                << "usage " << usage;
        }
    }
    // The digit row and the keypad end with 0 after 9.
    EXPECT_EQ(NameOfUsage(0x27), L"0");
    EXPECT_EQ(NameOfUsage(0x62), L"Keypad 0");
    EXPECT_EQ(NameOfUsage(0x63), L"Keypad .");
}

TEST(HidKeyNames, LettersAreSingleLowerCaseLetters) {
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(NameOfUsage(0x04 + i), std::wstring(1, static_cast<wchar_t>(L'a' + i)));
}

// Every name whose text is easy to get wrong: the special characters, the near-duplicates and
// the ends of each group.
TEST(HidKeyNames, NamesAtTheEdgesOfEachGroup) {
    struct Case {
        int usage;
        const wchar_t* name;
    };
    const Case cases[] = {
        {0x00, L""},
        {0x01, L"ErrorRollOver"},
        {0x02, L"POSTFail"},
        {0x03, L"ErrorUndefined"},
        {0x28, L"Return (ENTER)"},
        {0x2A, L"DELETE (Backspace)"},
        {0x2C, L"Spacebar"},
        {0x2D, L"-"},
        {0x30, L"]"},
        {0x31, L"\\"},
        {0x32, L"Non - US #"},
        {0x33, L";"},
        {0x34, L"\u2018"},
        {0x35, L"Grave Accent"},
        {0x36, L"\""},
        {0x37, L"."},
        {0x38, L"/"},
        {0x39, L"Caps Lock"},
        {0x46, L"PrintScreen"},
        {0x4C, L"Delete"},
        {0x52, L"UpArrow"},
        {0x53, L"Keypad Num Lock"},
        {0x58, L"Keypad ENTER"},
        {0x64, L"Non - US \\"},
        {0x65, L"Application"},
        {0x67, L"Keypad ="},
        {0x74, L"Execute"},
        {0x81, L"Volume Down"},
        {0x82, L"Locking Caps"},
        {0x86, L"Keypad Equal"},
        {0x99, L"Alternate Erase"},
        {0x9A, L"SysReq / Attention"},
        {0x9E, L"Return"},
        {0xA2, L"Clear / Again"},
        {0xA3, L"CrSel / Props"},
        {0xA4, L"ExSel"},
        {0xE0, L"LeftControl"},
        {0xE3, L"Left GUI"},
        {0xE4, L"RightControl"},
        {0xE7, L"Right GUI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameOfUsage(c.usage), c.name) << "usage " << c.usage;
}

TEST(HidKeyNames, NamesAreDistinctPrintableTexts) {
    std::set<std::wstring_view> seen;
    for (int index = 0; index < kHidKeyNameCount; ++index) {
        const std::wstring_view name = g_hidKeyNames[static_cast<size_t>(index)];
        EXPECT_TRUE(seen.insert(name).second) << "index " << index << " repeats a name";
        EXPECT_EQ(name.empty(), index == 0) << "index " << index;
        for (const wchar_t c : name) {
            const bool ascii = c >= 0x20 && c < 0x7F;
            // The single non-ASCII name; a wide character sneaking in anywhere else would
            // show as a different glyph or a box in the list.
            EXPECT_TRUE(ascii || (index == 52 && c == 0x2018)) << "index " << index;
        }
        if (!name.empty()) {
            EXPECT_NE(name.front(), L' ') << "index " << index;
            EXPECT_NE(name.back(), L' ') << "index " << index;
        }
    }
}

}  // namespace
