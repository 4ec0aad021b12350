#include "text/HexText.h"

namespace {

// The white space a "%x" scan skips in the "C" locale.
bool IsScanSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// Value of an ASCII hexadecimal digit, or -1 for any other character.
int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return static_cast<int>(c - L'0');
    if (c >= L'a' && c <= L'f')
        return static_cast<int>(c - L'a') + 10;
    if (c >= L'A' && c <= L'F')
        return static_cast<int>(c - L'A') + 10;
    return -1;
}

}  // namespace

std::wstring FormatHexText(std::uint32_t value) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    wchar_t buffer[8];
    int length = 0;
    do {
        buffer[length++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::wstring text;
    text.reserve(static_cast<size_t>(length));
    while (length > 0)
        text.push_back(buffer[--length]);
    return text;
}

std::uint32_t ParseHexText(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && IsScanSpace(text[i]))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    // "0x" with no digit after it is the number 0 followed by an x; skipping the prefix there
    // reads no digit and gives the same 0.
    if (text.size() - i >= 2 && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        i += 2;
    }

    // A scan function's result is undefined once the number leaves its type. Here a longer
    // text simply keeps its low 32 bits, as if the digits were shifted through a register.
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0)
            break;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    // Negation modulo 2^32, as the scan stores a negative number in an unsigned int.
    return negative ? 0u - value : value;
}
