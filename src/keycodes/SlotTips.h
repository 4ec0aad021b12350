// What a slot field or the key-repeat field holds, in words, for the main dialog's tooltips:
// read by the rules a write uses, so the words tell what a key box would be sent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A key code word in words: the modifiers in bit order, then the key by its name in the key
// code chooser: "Shift + a", "Ctrl + Alt + LeftControl", "nothing" (0), "Shift" (a modifier
// alone), "no key (usage 0xf5)" for a usage the chooser does not name. Bits 12..15, which no
// modifier owns, are added as "(other bits 0x3000)".
std::wstring KeyCodeWords(std::uint16_t word);

// The tooltip of slot field `slot`: its label as the chooser shows it and the word its text
// gives, as an image takes it; "(not sent: 4 contacts)" after a slot beyond the contacts.
std::wstring SlotTip(int slot, std::wstring_view text, std::int32_t contacts);

// The tooltip of the key-repeat field: the contacts in use whose key repeats, as an image takes
// the mask: "repeats: keys 1, 3, 24", or "no key repeats".
std::wstring RepeatTip(std::wstring_view text, std::int32_t contacts);
