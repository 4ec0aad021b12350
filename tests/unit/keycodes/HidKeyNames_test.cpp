#include "keycodes/HidKeyNames.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "keycodes/KeyCodeWord.h"

namespace {

// Below the modifier keys, a usage is its own position in the list.
std::wstring NameOfUsage(int usage) {
    EXPECT_EQ(UsageFromListIndex(usage), usage);
    return std::wstring(g_hidKeyNames[static_cast<size_t>(usage)]);
}

TEST(HidKeyNames, NumberedRunsAndLettersCountUpWithoutGaps) {
    struct Run {
        int firstUsage;
        const wchar_t* prefix;
        int first, last;
    };
    const Run runs[] = {
        {0x1E, L"", 1, 9},
        {0x3A, L"F", 1, 12},
        {0x59, L"Keypad ", 1, 9},
        {0x68, L"F", 13, 24},
        {0x87, L"International", 1, 9},
        {0x90, L"LANG", 1, 9},
    };
    for (const Run& run : runs) {
        for (int number = run.first; number <= run.last; ++number) {
            const int usage = run.firstUsage + number - run.first;
            EXPECT_EQ(NameOfUsage(usage), run.prefix + std::to_wstring(number)) << usage;
        }
    }
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(NameOfUsage(0x04 + i), std::wstring(1, static_cast<wchar_t>(L'a' + i)));
}

TEST(HidKeyNames, NamesAreDistinctPrintableTexts) {
    std::set<std::wstring_view> seen;
    for (int index = 0; index < kHidKeyNameCount; ++index) {
        const std::wstring_view name = g_hidKeyNames[static_cast<size_t>(index)];
        EXPECT_TRUE(seen.insert(name).second) << "index " << index << " repeats a name";
        EXPECT_EQ(name.empty(), index == 0) << "index " << index;
        EXPECT_TRUE(name.empty() || (name.front() != L' ' && name.back() != L' ')) << index;
        for (const wchar_t c : name)  // U+2018 at index 52 is the one non-ASCII name
            EXPECT_TRUE((c >= 0x20 && c < 0x7F) || (index == 52 && c == 0x2018)) << index;
    }
}

}  // namespace
