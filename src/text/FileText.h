// The text of a file as editors save it: UTF-8 with or without its byte-order mark, or UTF-16
// in either byte order after its mark.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of a file, or nothing when it is no text: bytes that are not UTF-8 or UTF-16, or
// control characters other than tab and line ends (which a binary file is full of).
std::optional<std::wstring> DecodeText(std::string_view bytes);
