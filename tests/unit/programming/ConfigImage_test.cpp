#include "programming/ConfigImage.h"

#include <cctype>
#include <climits>
#include <cwctype>
#include <random>
#include <span>
#include <string>

#include <gtest/gtest.h>

#include "text/HexText.h"

namespace {

// Texts as a user may type them; all read as the same value.
std::wstring Spelling(std::uint32_t value, unsigned style) {
    std::wstring text = FormatHexText(value);
    if (style % 4 == 1)
        for (wchar_t& c : text)
            c = static_cast<wchar_t>(std::towupper(c));
    return style % 4 == 2 ? L"0x" + text : style % 4 == 3 ? L" 00" + text + L" key" : text;
}

// Random builds over a buffer of leftovers, decoded back by the layout: every byte a build
// names holds its input (the serial number's low 28 bits as upper-case hex digits and their
// XOR), every other byte keeps its old value, so a short build sends the slots of an earlier
// longer one again.
TEST(ConfigImage, RandomBuildsDecodeBackToTheirInputs) {
    const std::int32_t counts[] = {INT_MIN, -3, 0, 1, 4, 5, 8, 9, 16, 24, 25, INT_MAX};
    std::mt19937 rng(0x0A5E1);
    ConfigImage image{};
    for (int round = 0; round < 500; ++round) {
        for (auto& byte : image)
            byte = static_cast<std::uint8_t>(rng());
        const ConfigImage before = image;
        SlotTexts slots;
        std::array<std::uint32_t, kSlotCount> values{};
        for (size_t s = 0; s < kSlotCount; ++s) {
            values[s] = rng() >> (rng() % 32);
            slots[s] = Spelling(values[s], rng());
        }
        // An empty key-repeat field is a mask of 0.
        const bool noRepeat = round % 5 == 0;
        const std::uint32_t mask = noRepeat ? 0 : rng() >> (rng() % 32);
        const std::wstring repeatText = noRepeat ? L"" : Spelling(mask, rng());
        const std::int32_t n = counts[rng() % std::size(counts)];
        const auto serial = static_cast<std::int32_t>(rng());
        const bool isProtected = rng() & 1;
        const std::uint32_t bounce = rng();
        SCOPED_TRACE(testing::Message() << "round " << round << ", contacts " << n);
        // The serial number's step alone keeps to offsets 2..9 as well.
        ConfigImage serialOnly = image;
        PutSerial(serialOnly, serial);
        EXPECT_TRUE(serialOnly[1] == before[1] && serialOnly[10] == before[10]);

        ASSERT_EQ(BuildConfigImage(image, {.serial = serial,
                                           .contacts = n,
                                           .bounceTime = bounce,
                                           .protectedFlag = isProtected,
                                           .repeatText = repeatText,
                                           .slots = slots}),
                  n >= 9 ? 109 : 43);
        EXPECT_EQ(image[0], isProtected ? 1 : 0);
        EXPECT_EQ(image[1], bounce & 0xFF);
        std::uint32_t decoded = 0;
        std::uint8_t check = 0;
        for (int k = 2; k <= 8; ++k) {
            EXPECT_TRUE(std::isdigit(image[k]) || (image[k] >= 'A' && image[k] <= 'F')) << k;
            decoded = decoded << 4 | ParseHexText(std::wstring(1, image[k]));
            check ^= image[k];
        }
        EXPECT_EQ(decoded, static_cast<std::uint32_t>(serial) & 0x0FFFFFFF);
        EXPECT_EQ(image[9], check);
        EXPECT_EQ(image[26], mask & 0xFF);
        EXPECT_EQ(image[43], n >= 9 ? (mask >> 8) & 0xFF : before[43]);
        EXPECT_EQ(image[76], n >= 9 ? (mask >> 16) & 0xFF : before[76]);
        const int written = n >= 9 ? 48 : n >= 5 ? 16 : 8;
        for (int s = 0; s < kSlotCount; ++s) {
            const int at = 10 + 2 * s + (s >= 8) + (s >= 16) + (s >= 32);
            const std::uint32_t word = image[at] << 8 | image[at + 1];
            const std::uint32_t old = before[at] << 8 | before[at + 1];
            EXPECT_EQ(word, s < written ? values[s] & 0xFFFF : old) << "slot " << s;
        }
        // Decoded back: what the write built, each slot it did not build "0".
        const int length = ActiveLength(n);
        const auto back = DecodeConfigImage(std::span(image.data(), length), n);
        ASSERT_EQ(back.has_value(), n >= 1 && n <= 24);
        if (!back)
            continue;
        EXPECT_EQ(static_cast<std::uint32_t>(back->serial), serial & 0x0FFFFFFFu);
        EXPECT_EQ(back->bounceTime, bounce & 0xFF);
        EXPECT_EQ(back->protectedFlag, isProtected);
        const std::uint32_t held = mask & (n >= 9 ? 0xFFFFFFu : 0xFFu);
        EXPECT_EQ(back->repeatText, held == 0 ? L"" : FormatHexText(held));
        for (int s = 0; s < kSlotCount; ++s)
            EXPECT_EQ(back->slots[s], s < written ? FormatHexText(values[s] & 0xFFFF) : L"0");
        // A length that does not fit the contacts, or a broken check byte, is refused.
        EXPECT_FALSE(DecodeConfigImage(std::span(image.data(), 152 - length), n));
        image[9] ^= 1;
        EXPECT_FALSE(DecodeConfigImage(std::span(image.data(), length), n));
    }
}

}  // namespace
