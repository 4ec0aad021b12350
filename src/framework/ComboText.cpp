#include "framework/ComboText.h"

namespace fw {
namespace {

wchar_t FoldCase(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
}

bool BeginsWith(std::wstring_view item, std::wstring_view prefix) {
    if (prefix.size() > item.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(item[i]) != FoldCase(prefix[i]))
            return false;
    }
    return true;
}

}  // namespace

int FindPrefixItem(const std::vector<std::wstring>& items, std::wstring_view text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (BeginsWith(items[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace fw
