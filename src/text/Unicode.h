// Unicode text in bytes: UTF-8 written and read, UTF-16 read, and the code points of wide text.
// wchar_t holds UTF-16 units on Windows and whole code points elsewhere; half a surrogate pair,
// which has no UTF-8 form, becomes U+FFFD.
#pragma once

#include <optional>
#include <string>
#include <string_view>

void AppendUtf8(std::string& out, std::wstring_view text);
// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF; else nothing.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);
// UTF-16 in either byte order, without a byte-order mark: every surrogate must be half of a
// pair; else nothing.
std::optional<std::wstring> DecodeUtf16(std::string_view bytes, bool bigEndian);

inline bool IsSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
}
inline bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point that starts at text[i], a surrogate pair taken whole where wchar_t holds
// UTF-16 units; `i` moves past it. Half a pair comes back as the surrogate it is.
char32_t NextCodePoint(std::wstring_view text, size_t& i);
