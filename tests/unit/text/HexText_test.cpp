#include "text/HexText.h"

#include <cwchar>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

// Short texts from the characters that matter to the scan, against the C library's own "%x"
// (its result is defined only up to eight digits).
TEST(HexText, AgreesWithTheLibraryScanOnShortTexts) {
    static constexpr wchar_t kAlphabet[] = L" \t\n+-0xXaFfg9z1";
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

// Beyond eight digits the low 32 bits stay; a minus negates modulo 2^32. A full-width digit is
// no hexadecimal digit (the libraries differ there: one scan takes it as a digit).
TEST(HexText, LongTextsKeepTheirLow32Bits) {
    EXPECT_EQ(ParseHexText(L"\uFF11"), 0u);
    for (const wchar_t* text : {L"ffffffffff", L"-100000001", L"0x1ffffffff"})
        EXPECT_EQ(ParseHexText(text), 0xFFFFFFFFu) << testing::PrintToString(text);
    EXPECT_EQ(ParseHexText(L"123456789"), 0x23456789u);
}

}  // namespace
