#include "text/ComboText.h"

namespace {

wchar_t FoldCase(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
}

}  // namespace

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i]))
            return false;
    }
    return true;
}

int FindPrefixItem(const std::vector<std::wstring>& items, std::wstring_view text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (StartsWithIgnoringCase(items[i], text))
            return static_cast<int>(i);
    }
    return -1;
}
