// Decimal text of the dialogs' number fields, read strictly: the data exchange refuses a
// field whose whole text is not an integer of the member's type.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Blanks around the number are allowed, one sign in front ('-' only for the signed type),
// then at least one decimal digit and nothing else. A value outside the type is refused.
std::optional<std::int32_t> ParseInt32Text(std::wstring_view text);
std::optional<std::uint32_t> ParseUInt32Text(std::wstring_view text);

// The text without the blanks (spaces and tabs) around it.
std::wstring_view TrimBlanks(std::wstring_view text);
