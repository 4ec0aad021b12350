// Application name, version title, brand choice and the combo box prefix rule.
#include "app/Branding.h"
#include "framework/AppName.h"
#include "framework/ComboText.h"

#include <gtest/gtest.h>

namespace {

TEST(AppName, IsTheFileNameWithoutExtensionInItsOwnCase) {
    EXPECT_EQ(fw::AppNameFromPath(L"C:\\Program Files\\Orvanta\\Orvanta.exe"), L"Orvanta");
    EXPECT_EQ(fw::AppNameFromPath(L"Z:\\tmp\\ORNIS_Orvanta.exe"), L"ORNIS_Orvanta");
    EXPECT_EQ(fw::AppNameFromPath(L"C:\\a.b\\tool.v2.EXE"), L"tool.v2");
    EXPECT_EQ(fw::AppNameFromPath(L"/home/user/Orvanta"), L"Orvanta");
    EXPECT_EQ(fw::AppNameFromPath(L"Orvanta.exe"), L"Orvanta");
}

// A path may be quoted or hold blanks; several files (as dropped on the program's icon, each
// quoted only when it holds a blank) are told from one path with blanks by what exists.
TEST(AppName, TheFileArgumentsMayBeQuotedOrHoldBlanks) {
    const auto exists = [](const std::wstring& path) {
        return path == L"C:\\x\\a.ini" || path == L"C:\\x\\b.ini" ||
               path == L"C:\\Key maps\\north door.ini";
    };
    using Files = std::vector<std::wstring>;
    const std::pair<const wchar_t*, Files> cases[] = {
        {L"", {}},
        {L"  \"\" ", {}},
        {L"box.ini", {L"box.ini"}},
        {L" C:\\Key maps\\north door.ini \t", {L"C:\\Key maps\\north door.ini"}},
        {L"C:\\Key maps\\missing.ini", {L"C:\\Key maps\\missing.ini"}},
        {L"\"C:\\Key maps\\a.ini\" ", {L"C:\\Key maps\\a.ini"}},
        {L"\"C:\\unclosed.ini", {L"C:\\unclosed.ini"}},
        {L"\"C:\\a.ini\" extra", {L"C:\\a.ini", L"extra"}},
        {L"\"a.ini\" \"b.ini\"", {L"a.ini", L"b.ini"}},
        {L"C:\\x\\a.ini C:\\x\\b.ini", {L"C:\\x\\a.ini", L"C:\\x\\b.ini"}},
        {L"C:\\x\\a.ini \"C:\\Key maps\\b.ini\"", {L"C:\\x\\a.ini", L"C:\\Key maps\\b.ini"}},
        {L"C:\\x\\a.ini C:\\x\\gone.ini", {L"C:\\x\\a.ini C:\\x\\gone.ini"}},
    };
    for (const auto& [arguments, files] : cases)
        EXPECT_EQ(fw::FileArguments(arguments, exists), files) << arguments;
}

TEST(Branding, TitleKeepsTheCaseAndTheTagIgnoresIt) {
    EXPECT_EQ(MakeVersionTitle(L"ORNIS_Orvanta"), L"ORNIS_Orvanta V2.0");
    EXPECT_EQ(ChooseBrand(L"Orvanta V2.0"), Brand::Maker);
    EXPECT_EQ(ChooseBrand(L"ORNIS_Orvanta V2.0"), Brand::Ornis);
    EXPECT_EQ(ChooseBrand(L"tErVo-Orvanta V2.0"), Brand::Tervo);
    // Both tags: the first in the search order wins, wherever it stands in the title.
    EXPECT_EQ(ChooseBrand(L"Tervo_Ornis V2.0"), Brand::Ornis);
    EXPECT_EQ(ChooseBrand(L"Orn_is V2.0"), Brand::Maker);
}

TEST(Branding, EachBrandHasItsOwnLineWithTheYear) {
    for (Brand b : {Brand::Maker, Brand::Ornis, Brand::Tervo}) {
        EXPECT_NE(BrandLine(b).find(L"2022"), std::wstring_view::npos);
    }
    EXPECT_NE(BrandLine(Brand::Maker).find(L"Velkara"), std::wstring_view::npos);
    EXPECT_NE(BrandLine(Brand::Ornis).find(L"Ornis"), std::wstring_view::npos);
    EXPECT_NE(BrandLine(Brand::Tervo).find(L"Tervo"), std::wstring_view::npos);
}

TEST(ComboPrefix, FirstItemThatBeginsWithTheTextIsSelected) {
    std::vector<std::wstring> items;
    for (int i = 1; i <= 24; ++i)
        items.push_back(std::to_wstring(i));
    EXPECT_EQ(fw::FindPrefixItem(items, L"4"), 3);
    EXPECT_EQ(fw::FindPrefixItem(items, L"1"), 0);  // not "10".."19"
    EXPECT_EQ(fw::FindPrefixItem(items, L"2"), 1);  // "2" before "20".."24"
    EXPECT_EQ(fw::FindPrefixItem(items, L"24"), 23);
    EXPECT_EQ(fw::FindPrefixItem(items, L""), 0);  // the empty text begins every item
    EXPECT_EQ(fw::FindPrefixItem(items, L"25"), -1);
    EXPECT_EQ(fw::FindPrefixItem(items, L"x"), -1);
    EXPECT_EQ(fw::FindPrefixItem(items, L"123"), -1);
    EXPECT_EQ(fw::FindPrefixItem({L"Alpha", L"beta"}, L"BE"), 1);
    EXPECT_EQ(fw::FindPrefixItem({}, L""), -1);
}

}  // namespace
