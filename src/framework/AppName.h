// The application name: the executable's file name without its extension, as the user
// named the file (a reseller's copy may be renamed, and the name picks its brand line).
#pragma once

#include <string>
#include <string_view>

namespace fw {

std::wstring AppNameFromPath(std::wstring_view modulePath);

}  // namespace fw
