#include "keycodes/KeyCodeWord.h"

#include <gtest/gtest.h>

#include "keycodes/HexText.h"
#include "keycodes/HidKeyNames.h"

namespace {

TEST(KeyCodeWord, ComposedWordsShowInTheirTextForm) {
    struct Case {
        std::uint8_t usage;
        bool ctrl, shift, alt, gui;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0x00, false, false, false, false, L"0"},   // the empty name alone: no key
        {0x00, true, false, false, false, L"100"},  // modifiers without a key are valid
        {0x04, true, true, true, true, L"f04"},    {0x04, false, true, false, false, L"204"},
        {0x2A, false, false, false, false, L"2a"}, {0x4C, true, false, true, false, L"54c"},
        {0xE1, false, false, false, false, L"e1"}, {0xE7, false, false, false, true, L"8e7"},
    };
    for (const Case& c : cases) {
        const std::uint16_t word = ComposeKeyCodeWord(c.usage, c.ctrl, c.shift, c.alt, c.gui);
        EXPECT_EQ(FormatHexText(word), c.text) << "usage " << int{c.usage};
        EXPECT_EQ(ParseHexText(c.text), word);
    }
}

TEST(KeyCodeWord, EachModifierHasItsOwnBitAboveTheUsage) {
    // Every combination of flags keeps the usage byte intact and sets only bits 8..11.
    for (int flags = 0; flags < 16; ++flags) {
        const bool ctrl = flags & 1, shift = flags & 2, alt = flags & 4, gui = flags & 8;
        const std::uint16_t word = ComposeKeyCodeWord(0xA4, ctrl, shift, alt, gui);
        EXPECT_EQ(word & 0xFF, 0xA4);
        EXPECT_EQ(word >> 8, flags);
    }
}

TEST(KeyCodeWord, ListIndexesMapToUsagesAroundTheGap) {
    struct Case {
        int index;
        std::uint8_t usage;
        const wchar_t* name;
    };
    const Case cases[] = {
        {0, 0x00, L""},
        {4, 0x04, L"a"},
        {164, 0xA4, L"ExSel"},
        {165, 0xE0, L"LeftControl"},
        {172, 0xE7, L"Right GUI"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UsageFromListIndex(c.index), c.usage) << "index " << c.index;
        EXPECT_EQ(g_hidKeyNames[static_cast<size_t>(c.index)], c.name) << "index " << c.index;
    }
}

TEST(KeyCodeWord, ListCoversEveryUsageOutsideTheGapOnce) {
    bool seen[256] = {};
    for (int index = 0; index < kHidKeyNameCount; ++index) {
        const std::uint8_t usage = UsageFromListIndex(index);
        EXPECT_FALSE(seen[usage]) << "usage " << int{usage} << " listed twice";
        seen[usage] = true;
    }
    for (int usage = 0; usage < 256; ++usage) {
        const bool listed = usage <= 0xA4 || (usage >= 0xE0 && usage <= 0xE7);
        EXPECT_EQ(seen[usage], listed) << "usage " << usage;
    }
}

}  // namespace
