// Message boxes of the program: a box without a caption of its own carries the application
// name, the way the user named the executable.
#pragma once

#include <windows.h>

#include <string_view>

namespace fw {

int MessageBox(HWND owner, std::wstring_view text, UINT type = MB_OK,
               const wchar_t* caption = nullptr);

}  // namespace fw
