#include "text/IntegerText.h"

#include <gtest/gtest.h>

namespace {

// Blanks around the number and a plus sign are taken, and a minus by the signed form, whose
// negative side reaches one further than the positive one.
TEST(IntegerText, AcceptsTheWholeRangeWithBlanksAndSign) {
    EXPECT_EQ(ParseInt32Text(L"0"), 0);
    EXPECT_EQ(ParseInt32Text(L"  42 "), 42);
    EXPECT_EQ(ParseInt32Text(L"\t+7"), 7);
    EXPECT_EQ(ParseInt32Text(L"-15"), -15);
    EXPECT_EQ(ParseInt32Text(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32Text(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInt32Text(L"000000000000000012"), 12);
    EXPECT_EQ(ParseUInt32Text(L"4294967295"), 4294967295u);
}

TEST(IntegerText, RefusesJunkOverflowAndAMinusForTheUnsignedForm) {
    for (const wchar_t* text :
         {L"", L"   ", L"-", L"+", L"abc", L"12a", L"1 2", L"0x10", L"--1", L"2147483648",
          L"-2147483649", L"99999999999", L"184467440737095516160", L"1.5"})
        EXPECT_FALSE(ParseInt32Text(text).has_value()) << "text: " << testing::PrintToString(text);
    for (const wchar_t* text :
         {L"-1", L"-0", L"4294967296", L"99999999999", L"", L"x", L"50ms", L"5 0"})
        EXPECT_FALSE(ParseUInt32Text(text).has_value()) << "text: " << testing::PrintToString(text);
}

}  // namespace
