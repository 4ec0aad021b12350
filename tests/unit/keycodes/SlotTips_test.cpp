#include "keycodes/SlotTips.h"

#include <gtest/gtest.h>

namespace {

// The words follow the text as a write reads it: blanks and a prefix skipped, junk after the
// digits ignored, bits above 15 dropped.
TEST(SlotTips, SlotsInWords) {
    const struct {
        int slot;
        const wchar_t* text;
        int contacts;
        const wchar_t* tip;
    } rows[] = {
        {4, L"204", 4, L"Key 3 pressed: Shift + a"},
        {5, L"0", 4, L"Key 3 released: nothing"},
        {0, L"5e0", 4, L"Key 1 pressed: Ctrl + Alt + LeftControl"},
        {1, L"800", 4, L"Key 1 released: GUI"},
        {8, L"f5", 24, L"Key 5 pressed: no key (usage 0xf5)"},
        {9, L"e7", 24, L"Key 5 released: Right GUI"},
        {9, L"e8", 24, L"Key 5 released: no key (usage 0xe8)"},
        {3, L"a4", 4, L"Key 2 released: ExSel"},
        {3, L"a5", 4, L"Key 2 released: no key (usage 0xa5)"},
        {6, L" 1f x", 4, L"Key 4 pressed: 2"},
        {10, L"12345", 24, L"Key 6 pressed: Ctrl + Shift + F12 (other bits 0x2000)"},
        {8, L"204", 4, L"Key 5 pressed: Shift + a (not sent: 4 contacts)"},
        {47, L"-1", 23,
         L"Key 24 released: Ctrl + Shift + Alt + GUI + no key (usage 0xff) "
         L"(other bits 0xf000) (not sent: 23 contacts)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SlotTip(row.slot, row.text, row.contacts), row.tip) << row.text;
}

TEST(SlotTips, KeysThatRepeat) {
    const struct {
        const wchar_t* text;
        int contacts;
        const wchar_t* tip;
    } rows[] = {
        {L"800005", 23, L"repeats: keys 1, 3"},
        {L"10", 8, L"repeats: key 5"},
        {L"", 24, L"no key repeats"},
        {L"ffffffff", 30,
         L"repeats: keys 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, "
         L"17, 18, 19, 20, 21, 22, 23, 24"},
        {L"1", -1, L"no key repeats"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RepeatTip(row.text, row.contacts), row.tip) << row.text;
}

}  // namespace
