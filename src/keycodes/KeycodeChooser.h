// What the key code chooser decides: the label of a key-event slot, where "Next" goes, the
// contact's bit in the key-repeat mask and the word a list pick with modifiers makes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

inline constexpr int kLastSlot = 47;  // slot s: contact (s >> 1) + 1, pressed for even s

// "Key 1 pressed" for slot 0, "Key 3 released" for slot 5.
std::wstring SlotLabel(int slot);

struct NextSlotStep {
    int slot;            // the new current slot; the last slot stays where it is
    bool repeatEnabled;  // "Repeat" belongs to a contact's pressed slot
    bool close;          // the new slot lies beyond the contacts in use
};
// "Next" on `slot` with `contacts` in use. A count outside 1..24 (from stored settings) is
// taken as it is: 0 or less closes at once, 25 or more never does.
NextSlotStep NextSlot(int slot, int contacts);

// The key-repeat mask with the bit of the slot's contact set (ticked) or cleared. A slot
// outside 0..47 changes nothing.
std::uint32_t ApplyRepeat(std::uint32_t mask, int slot, bool ticked);

// The word for a position in the key name list and the ticked modifiers; none when the list
// has no selection (a negative index) or the index lies outside the list.
std::optional<std::uint16_t> ChosenKeyCodeWord(int listIndex, bool ctrl, bool shift, bool alt,
                                               bool gui);
