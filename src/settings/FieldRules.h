// Rules of the main dialog's serial number and contacts fields that its Win32 glue applies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The programming speed, the transmission timer's interval in ms, is one of these.
inline constexpr std::uint32_t kMinSpeed = 1;
inline constexpr std::uint32_t kMaxSpeed = 500;

// The serial number one higher, wrapping around like the 32-bit value it is stored as:
// 2147483647 is followed by -2147483648.
std::int32_t NextSerial(std::int32_t serial);

// The contacts list holds "1".."24": the item of a count, or -1 (no selection) for a count
// outside 1..24, which stored settings may hold.
int ContactsListIndex(std::int32_t contacts);
// The count a list selection stands for; none when the list has no selection (index -1).
std::optional<std::int32_t> ContactsFromListIndex(int index);

// The count a text in the contacts field names: the text of a list item, "1" to "24" exactly;
// none for anything else ("", "25", " 9", "x").
std::optional<std::int32_t> ContactsFromText(std::wstring_view text);
// What the field shows for a count: its item's text, or nothing outside 1..24.
std::wstring ContactsText(std::int32_t contacts);
