#include "text/ComboText.h"

#include <gtest/gtest.h>

namespace {

TEST(ComboPrefix, FirstItemThatBeginsWithTheTextIsSelected) {
    std::vector<std::wstring> items;
    for (int i = 1; i <= 24; ++i)
        items.push_back(std::to_wstring(i));
    // "1" before "10".."19", "2" before "20".."24"; the empty text begins every item.
    const std::pair<const wchar_t*, int> texts[] = {{L"4", 3},   {L"1", 0},   {L"2", 1},
                                                    {L"24", 23}, {L"", 0},    {L"25", -1},
                                                    {L"x", -1},  {L"123", -1}};
    for (const auto& [text, index] : texts)
        EXPECT_EQ(FindPrefixItem(items, text), index) << text;
    EXPECT_EQ(FindPrefixItem({L"Alpha", L"beta"}, L"BE"), 1);
    EXPECT_EQ(FindPrefixItem({}, L""), -1);
}

}  // namespace
