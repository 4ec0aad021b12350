#include "app/Branding.h"

#include <algorithm>

std::wstring MakeVersionTitle(std::wstring_view appName) {
    return std::wstring(appName) + L" V2.0";
}

Brand ChooseBrand(std::wstring_view versionTitle) {
    std::wstring lower(versionTitle);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; });
    if (lower.find(L"ornis") != std::wstring::npos)
        return Brand::Ornis;
    if (lower.find(L"tervo") != std::wstring::npos)
        return Brand::Tervo;
    return Brand::Maker;
}

std::wstring_view BrandLine(Brand brand) {
    switch (brand) {
        case Brand::Ornis:
            return L"Copyright \u00A9 2022 Ornis";
        case Brand::Tervo:
            return L"Copyright \u00A9 2022 Tervo";
        case Brand::Maker:
            break;
    }
    return L"Copyright \u00A9 2022 Velkara";
}
