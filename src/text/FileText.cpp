#include "text/FileText.h"

#include "text/Unicode.h"

std::optional<std::wstring> DecodeText(std::string_view bytes) {
    std::optional<std::wstring> text;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        text = DecodeUtf8(bytes.substr(3));
    else if (bytes.starts_with("\xFF\xFE"))
        text = DecodeUtf16(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        text = DecodeUtf16(bytes.substr(2), true);
    else
        text = DecodeUtf8(bytes);
    if (text) {
        for (wchar_t c : *text) {
            if (c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n')
                return std::nullopt;
        }
    }
    return text;
}
