// The system's own words for an error code, for the messages that tell the user why
// something the program asked of the system did not happen.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// The text for `code`, without the line break it ends in; a number when the system has none.
std::wstring SystemReason(DWORD code);

}  // namespace fw
