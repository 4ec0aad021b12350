// UTF-8 for the files the program writes. wchar_t holds UTF-16 units on Windows and whole
// code points elsewhere; half a surrogate pair, which has no UTF-8 form, becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

void AppendUtf8(std::string& out, std::wstring_view text);
