// The application name and the start-up argument.
//
// The application name: the executable's file name without its extension, as the user
// named the file (a reseller's copy may be renamed, and the name picks its brand line).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

std::wstring AppNameFromPath(std::wstring_view modulePath);

// The files the program was started with, from the command line after the program's name:
// each path in double quotes, or up to a blank. A text without quotes that holds blanks is one
// path (a path with blanks needs no quotes) unless it names no existing path while each of
// its parts does, as files dropped on the program's icon come.
std::vector<std::wstring> FileArguments(std::wstring_view arguments,
                                        const std::function<bool(const std::wstring&)>& exists);

}  // namespace fw
