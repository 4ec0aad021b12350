#include "settings/FileRules.h"

#include <string_view>

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongShare = L"\\\\?\\UNC\\";

}  // namespace

std::wstring LongPathForm(const std::wstring& full) {
    if (full.starts_with(kLongPrefix) || full.starts_with(L"\\\\.\\"))
        return full;
    if (full.starts_with(L"\\\\"))
        return std::wstring(kLongShare) + full.substr(2);
    return std::wstring(kLongPrefix) + full;
}

std::wstring UsualPathForm(const std::wstring& path) {
    if (path.starts_with(kLongShare))
        return L"\\\\" + path.substr(kLongShare.size());
    if (path.starts_with(kLongPrefix))
        return path.substr(kLongPrefix.size());
    return path;
}
