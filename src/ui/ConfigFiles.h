// Configuration files on disk for the main dialog: read and checked, or written and put in
// place, with a message over the dialog for whatever went wrong.
#pragma once

#include <windows.h>

#include <string>

#include "settings/ConfigFile.h"

// The file's values; a file that could not be read or is refused gives a message naming it,
// and its error. The notice, about lines with unknown keys, is for the caller to show once
// the values are taken.
ConfigRead OpenConfigFile(HWND owner, const std::wstring& path);
// Writes the values to the file; false, after a message that says why and where the file is,
// when that failed.
bool SaveConfigFile(HWND owner, const std::wstring& path, const ConfigValues& values);
