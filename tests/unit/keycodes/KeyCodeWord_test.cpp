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
        {0x00, false, false, false, false, L"0"},  {0x00, true, false, false, false, L"100"},
        {0x04, true, true, true, true, L"f04"},    {0x04, false, true, false, false, L"204"},
        {0x2A, false, false, false, false, L"2a"}, {0x4C, true, false, true, false, L"54c"},
        {0xE7, false, false, false, true, L"8e7"},
    };
    for (const Case& c : cases) {
        const std::uint16_t word = ComposeKeyCodeWord(c.usage, c.ctrl, c.shift, c.alt, c.gui);
        EXPECT_EQ(FormatHexText(word), c.text);
        EXPECT_EQ(ParseHexText(c.text), word);
    }
}

TEST(KeyCodeWord, ListIndexesMapToUsagesAroundTheGap) {
    const std::pair<int, int> cases[] = {{0, 0x00}, {164, 0xA4}, {165, 0xE0}, {172, 0xE7}};
    for (const auto& [index, usage] : cases)
        EXPECT_EQ(UsageFromListIndex(index), usage) << "index " << index;
    ASSERT_EQ(g_hidKeyNames.size(), 173u);
    EXPECT_EQ(g_hidKeyNames[164], L"ExSel");
    EXPECT_EQ(g_hidKeyNames[165], L"LeftControl");
    EXPECT_EQ(g_hidKeyNames[172], L"Right GUI");
}

}  // namespace
