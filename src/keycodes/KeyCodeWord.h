// The key code word a key box reports for a contact: HID keyboard usage in the low byte,
// the modifier keys in the high byte (same bit order as a HID report's modifier byte).
#pragma once

#include <cstdint>

inline constexpr std::uint16_t KC_CTRL = 0x0100;
inline constexpr std::uint16_t KC_SHIFT = 0x0200;
inline constexpr std::uint16_t KC_ALT = 0x0400;
inline constexpr std::uint16_t KC_GUI = 0x0800;

// usage | the flags of the modifiers held with it.
std::uint16_t ComposeKeyCodeWord(std::uint8_t usage, bool ctrl, bool shift, bool alt, bool gui);

// Position in the key name list (0..172) -> HID usage: 0..164 are usages 0x00..0xA4,
// 165..172 the modifier keys 0xE0..0xE7.
std::uint8_t UsageFromListIndex(int index);
// The other way: the list position of a usage, or -1 for a usage the list does not name.
int ListIndexFromUsage(std::uint8_t usage);
