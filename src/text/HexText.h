// The text form of key code words and of the key-repeat mask in the dialog's fields:
// lower-case hexadecimal without prefix, read back the way "%x" scans.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "%x": lower case, no prefix, no leading zeros (0 -> "0").
std::wstring FormatHexText(std::uint32_t value);

// Reads like the scan conversion "%x": leading white space, an optional sign, an optional
// 0x/0X, then hexadecimal digits up to the first other character; 0 when no digit is read.
// More than eight digits keep the low 32 bits; a minus sign negates modulo 2^32.
std::uint32_t ParseHexText(std::wstring_view text);
