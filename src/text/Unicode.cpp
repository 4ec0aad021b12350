#include "text/Unicode.h"

namespace {

// The code point of a surrogate pair.
char32_t PairCodePoint(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Adds a code point, as a surrogate pair where wchar_t holds UTF-16 units.
void AppendCodePoint(std::wstring& out, char32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

}  // namespace

char32_t NextCodePoint(std::wstring_view text, size_t& i) {
    auto cp = static_cast<char32_t>(text[i++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (IsHighSurrogate(cp) && i < text.size() &&
            IsLowSurrogate(static_cast<char32_t>(text[i]))) {
            cp = PairCodePoint(cp, static_cast<char32_t>(text[i++]));
        }
    }
    return cp;
}

void AppendUtf8(std::string& out, std::wstring_view text) {
    for (size_t i = 0; i < text.size();) {
        char32_t cp = NextCodePoint(text, i);
        if (IsSurrogate(cp) || cp > 0x10FFFF)
            cp = 0xFFFD;
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | cp >> 6));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | cp >> 12));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | cp >> 18));
            out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t cp = lead;
        char32_t least = 0;
        if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, cp = lead & 0x07, least = 0x10000;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            extra = 2, cp = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            extra = 1, cp = lead & 0x1F, least = 0x80;
        } else if (lead >= 0x80) {
            return std::nullopt;
        }
        if (bytes.size() - i <= static_cast<size_t>(extra))
            return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            cp = cp << 6 | (next & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || IsSurrogate(cp))
            return std::nullopt;
        AppendCodePoint(out, cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

// Every surrogate must be half of a pair.
std::optional<std::wstring> DecodeUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::wstring out;
    char32_t high = 0;  // the first half of a pair, waiting for the second
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        const auto unit =
            static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
        if (high != 0) {
            if (!IsLowSurrogate(unit))
                return std::nullopt;
            AppendCodePoint(out, PairCodePoint(high, unit));
            high = 0;
        } else if (IsHighSurrogate(unit)) {
            high = unit;
        } else if (IsSurrogate(unit)) {
            return std::nullopt;
        } else {
            AppendCodePoint(out, unit);
        }
    }
    if (high != 0)
        return std::nullopt;
    return out;
}
