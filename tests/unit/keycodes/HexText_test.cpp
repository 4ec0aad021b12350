#include "keycodes/HexText.h"

#include <cstdio>
#include <cwchar>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(HexText, FormatsLowerCaseWithoutPrefixOrLeadingZeros) {
    struct Case {
        std::uint32_t value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L"0"},
        {0x1, L"1"},
        {0x2A, L"2a"},
        {0x100, L"100"},
        {0xF04, L"f04"},
        {0x54C, L"54c"},
        {0x10000, L"10000"},
        {0xABCDEF, L"abcdef"},
        {0x80000000, L"80000000"},
        {0xFFFFFFFF, L"ffffffff"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatHexText(c.value), c.text);
}

TEST(HexText, ReadsAsTheScanConversionDoes) {
    struct Case {
        const wchar_t* text;
        std::uint32_t value;
    };
    const Case cases[] = {
        {L"E1", 0xE1},
        {L"e1", 0xE1},
        {L" e1", 0xE1},
        {L"\t\r\n\v\f e1", 0xE1},
        {L"0xe1", 0xE1},
        {L"0XE1", 0xE1},
        {L"00e1", 0xE1},
        {L"204 x", 0x204},
        {L"1f abc", 0x1F},
        {L"1fg", 0x1F},
        {L"10000", 0x10000},
        {L"ffffffff", 0xFFFFFFFF},
        // Nothing read.
        {L"", 0},
        {L"   ", 0},
        {L"zz", 0},
        {L"g1", 0},
        {L"x1", 0},
        {L"+", 0},
        {L"-", 0},
        {L"- 1", 0},
        {L"+-1", 0},
        // A prefix without a digit after it: only the 0 is read.
        {L"0x", 0},
        {L"0X", 0},
        {L"0xg", 0},
        {L"0x 5", 0},
        {L"-0x", 0},
        {L"0x0x5", 0},
        // Signs: a minus negates modulo 2^32.
        {L"+1f", 0x1F},
        {L"+0x1F", 0x1F},
        {L"-1", 0xFFFFFFFF},
        {L"-0x10", 0xFFFFFFF0},
        {L"-0", 0},
        {L"-80000000", 0x80000000},
        {L" -e1", 0xFFFFFF1F},
        // More than eight digits keep the low 32 bits.
        {L"123456789", 0x23456789},
        {L"100000000", 0},
        {L"ffffffffff", 0xFFFFFFFF},
        {L"0x1234567890abcdef", 0x90ABCDEF},
        {L"000000000000000012", 0x12},
        {L"-100000001", 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseHexText(c.text), c.value) << "text: " << testing::PrintToString(c.text);
    }
}

TEST(HexText, ReadingStopsAtCharactersBeyondAscii) {
    // Full-width digits and letters are not hexadecimal digits to the scan.
    EXPECT_EQ(ParseHexText(L"1\uFF12"), 0x1u);
    EXPECT_EQ(ParseHexText(L"\uFF41"), 0u);
    EXPECT_EQ(ParseHexText(std::wstring(L"4\0"
                                        L"5",
                                        3)),
              0x4u);
}

TEST(HexText, EveryFormattedValueReadsBack) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < 2000; ++i) {
        const std::uint32_t value = rng() >> (rng() % 32);
        ASSERT_EQ(ParseHexText(FormatHexText(value)), value) << value;
    }
}

// Texts of up to eight characters from the characters that matter to the scan, compared with
// the C library's own "%x" where its result is defined (never more than eight digits).
TEST(HexText, AgreesWithTheLibraryScanOnShortTexts) {
    static constexpr wchar_t kAlphabet[] = L" \t+-0xXaFg9z1";
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::wstring text;
        const unsigned length = rng() % 9;
        for (unsigned k = 0; k < length; ++k)
            text.push_back(kAlphabet[rng() % (std::size(kAlphabet) - 1)]);
        unsigned int expected = 0;
        if (std::swscanf(text.c_str(), L"%x", &expected) != 1)
            expected = 0;
        ASSERT_EQ(ParseHexText(text), expected) << "text: " << testing::PrintToString(text);
    }
}

}  // namespace
