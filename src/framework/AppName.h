// The application name and the start-up argument.
//
// The application name: the executable's file name without its extension, as the user
// named the file (a reseller's copy may be renamed, and the name picks its brand line).
#pragma once

#include <string>
#include <string_view>

namespace fw {

std::wstring AppNameFromPath(std::wstring_view modulePath);

// The one file the program was started with, from the command line after the program's name:
// the text inside double quotes, or else the whole text, so that a path with blanks needs no
// quotes. Blanks around it do not count; empty when there is none.
std::wstring FileArgument(std::wstring_view arguments);

}  // namespace fw
