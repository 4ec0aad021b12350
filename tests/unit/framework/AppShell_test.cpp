// Application name, version title and brand choice.
#include "app/Branding.h"
#include "framework/AppName.h"

#include <gtest/gtest.h>

namespace {

TEST(AppName, IsTheFileNameWithoutItsExtension) {
    EXPECT_EQ(fw::AppNameFromPath(L"C:\\a.b\\tool.v2.EXE"), L"tool.v2");
    EXPECT_EQ(fw::AppNameFromPath(L"/home/user/Orvanta"), L"Orvanta");
    EXPECT_EQ(fw::AppNameFromPath(L"Orvanta.exe"), L"Orvanta");
    EXPECT_EQ(fw::AppNameFromPath(L"C:\\tools\\.exe"), L".exe");  // a dot first is no extension
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

// The title keeps the case and the tag ignores it; with both tags the first in the search
// order wins, wherever it stands. Each brand has its own line with the year.
TEST(Branding, TitleBrandAndBrandLine) {
    EXPECT_EQ(MakeVersionTitle(L"ORNIS_Orvanta"), L"ORNIS_Orvanta V2.0");
    const std::tuple<const wchar_t*, Brand, const wchar_t*> titles[] = {
        {L"Orvanta V2.0", Brand::Maker, L"2022 Velkara"},
        {L"ORNIS_Orvanta V2.0", Brand::Ornis, L"2022 Ornis"},
        {L"tErVo-Orvanta V2.0", Brand::Tervo, L"2022 Tervo"},
        {L"Tervo_Ornis V2.0", Brand::Ornis, L"2022 Ornis"},
        {L"Orn_is V2.0", Brand::Maker, L"2022 Velkara"},
    };
    for (const auto& [title, brand, line] : titles) {
        EXPECT_EQ(ChooseBrand(title), brand) << title;
        EXPECT_NE(BrandLine(brand).find(line), std::wstring_view::npos) << title;
    }
}

}  // namespace
