#include "keycodes/KeycodeChooser.h"

#include "keycodes/HidKeyNames.h"
#include "keycodes/KeyCodeWord.h"

std::wstring SlotLabel(int slot) {
    // One blank between the number and the word.
    return L"Key " + std::to_wstring((slot >> 1) + 1) + L" " +
           (slot % 2 == 0 ? L"pressed" : L"released");
}

NextSlotStep NextSlot(int slot, int contacts) {
    const int next = slot < kLastSlot ? slot + 1 : kLastSlot;
    return {next, next % 2 == 0, next / 2 >= contacts};
}

std::uint32_t ApplyRepeat(std::uint32_t mask, int slot, bool ticked) {
    if (slot < 0 || slot > kLastSlot)
        return mask;
    const std::uint32_t bit = 1u << (slot >> 1);
    return ticked ? (mask | bit) : (mask & ~bit);
}

std::optional<std::uint16_t> ChosenKeyCodeWord(int listIndex, bool ctrl, bool shift, bool alt,
                                               bool gui) {
    if (listIndex < 0 || listIndex >= kHidKeyNameCount)
        return std::nullopt;
    return ComposeKeyCodeWord(UsageFromListIndex(listIndex), ctrl, shift, alt, gui);
}
