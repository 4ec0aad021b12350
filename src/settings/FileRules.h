// Rules of the program's file operations that need no system: the form of a path the system
// takes at any length.
#pragma once

#include <string>

// The form of a full path that lifts the usual limit of 260 characters: "\\?\" before a drive
// letter, "\\?\UNC\" in place of the "\\" of a network share. A path in that form, or a device
// path ("\\.\"), is kept as it is.
std::wstring LongPathForm(const std::wstring& full);
// The path as the user knows it: the long form taken off again.
std::wstring UsualPathForm(const std::wstring& path);
