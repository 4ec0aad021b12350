#include "keycodes/KeycodeChooser.h"

#include <gtest/gtest.h>

#include "text/HexText.h"

namespace {

// The slot labels are read in the slot tooltips' table.
TEST(KeycodeChooser, NextSlotRepeatBitsAndChosenWords) {
    struct Step {
        int slot, contacts;
        NextSlotStep next;
    };
    const Step steps[] = {
        {0, 4, {1, false, false}},    {5, 4, {6, true, false}},
        {7, 4, {8, true, true}},       // past the fourth contact
        {47, 24, {47, false, false}},  // the last slot stays
        {10, 2, {11, false, true}},    // opened beyond the contacts
        {0, 0, {1, false, true}},     {47, 25, {47, false, false}},
    };
    for (const Step& s : steps) {
        const NextSlotStep next = NextSlot(s.slot, s.contacts);
        EXPECT_EQ(next.slot, s.next.slot) << "slot " << s.slot;
        EXPECT_EQ(next.repeatEnabled, s.next.repeatEnabled) << "slot " << s.slot;
        EXPECT_EQ(next.close, s.next.close) << "slot " << s.slot << ", contacts " << s.contacts;
    }

    struct Repeat {
        std::uint32_t mask;
        int slot;
        bool ticked;
        const wchar_t* text;
    };
    const Repeat repeats[] = {
        {0, 46, true, L"800000"}, {0x800000, 47, false, L"0"},
        {0x4, 1, true, L"5"},     {0xFFFFFF, 2, false, L"fffffd"},
        {0, 0, true, L"1"},       {0x10, 48, true, L"10"},  // no slot 48
    };
    for (const Repeat& r : repeats)
        EXPECT_EQ(FormatHexText(ApplyRepeat(r.mask, r.slot, r.ticked)), r.text) << r.slot;

    struct Pick {
        int index;  // 4 "a", 165 "LeftControl"; -1 no selection
        bool ctrl, shift, alt, gui;
        const wchar_t* text;  // "-": nothing is written
    };
    const Pick picks[] = {
        {-1, false, true, false, false, L"-"},  {4, false, true, false, false, L"204"},
        {0, true, false, false, false, L"100"}, {165, false, false, false, false, L"e0"},
        {4, false, false, true, true, L"c04"},  {173, false, false, false, false, L"-"},
    };
    for (const Pick& p : picks) {
        const auto word = ChosenKeyCodeWord(p.index, p.ctrl, p.shift, p.alt, p.gui);
        EXPECT_EQ(word ? FormatHexText(*word) : L"-", p.text) << "index " << p.index;
    }
}

}  // namespace
