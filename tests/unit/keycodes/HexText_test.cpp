#include "keycodes/HexText.h"

#include <cwchar>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(HexText, ReadsAsTheScanConversionDoes) {
    for (const wchar_t* text : {L"E1", L"e1", L" e1", L"\t\n0xe1", L"0XE1", L"+e1g"})
        EXPECT_EQ(ParseHexText(text), 0xE1u) << testing::PrintToString(text);
    // Nothing read; a full-width digit is no hexadecimal digit.
    for (const wchar_t* text : {L"", L"zz", L"g1", L"0x", L"- 1", L"\uFF11"})
        EXPECT_EQ(ParseHexText(text), 0u) << testing::PrintToString(text);
    // A minus negates modulo 2^32; more than eight digits keep the low 32 bits.
    for (const wchar_t* text : {L"-1", L"ffffffffff", L"-100000001", L"0x1ffffffff"})
        EXPECT_EQ(ParseHexText(text), 0xFFFFFFFFu) << testing::PrintToString(text);
    EXPECT_EQ(ParseHexText(L"204 x"), 0x204u);
    EXPECT_EQ(ParseHexText(L"10000"), 0x10000u);
    EXPECT_EQ(ParseHexText(L"123456789"), 0x23456789u);
    EXPECT_EQ(ParseHexText(L"-0x10"), 0xFFFFFFF0u);
}

// Short texts from the characters that matter to the scan, against the C library's own "%x"
// (its result is defined only up to eight digits).
TEST(HexText, AgreesWithTheLibraryScanOnShortTexts) {
    static constexpr wchar_t kAlphabet[] = L" \t+-0xXaFg9z1";
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::wstring text;
        for (unsigned k = rng() % 9; k > 0; --k)
            text.push_back(kAlphabet[rng() % (std::size(kAlphabet) - 1)]);
        unsigned int expected = 0;
        if (std::swscanf(text.c_str(), L"%x", &expected) != 1)
            expected = 0;
        ASSERT_EQ(ParseHexText(text), expected) << testing::PrintToString(text);
    }
}

}  // namespace
