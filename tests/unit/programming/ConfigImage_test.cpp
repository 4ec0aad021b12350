#include "programming/ConfigImage.h"

#include <cctype>
#include <climits>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "keycodes/HexText.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Range(const ConfigImage& image, int first, int last) {
    return Bytes(image.begin() + first, image.begin() + last + 1);
}

ConfigImage Filled(std::uint8_t value) {
    ConfigImage image;
    image.fill(value);
    return image;
}

TEST(ConfigImage, SerialDigitsAndCheckByte) {
    const std::pair<std::int32_t, Bytes> cases[] = {
        {0, {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}},
        {0x12345, {0x30, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x31}},
        {0xABCDE, {0x30, 0x30, 0x41, 0x42, 0x43, 0x44, 0x45, 0x41}},
        {1000, {0x30, 0x30, 0x30, 0x30, 0x33, 0x45, 0x38, 0x4E}},
        {1 << 28, {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}},
        {(1 << 28) - 1, {0x46, 0x46, 0x46, 0x46, 0x46, 0x46, 0x46, 0x46}},
    };
    for (const auto& [serial, digits] : cases) {
        ConfigImage image = Filled(0xAA);
        PutSerial(image, serial);
        EXPECT_EQ(Range(image, 2, 9), digits) << "serial " << serial;
        EXPECT_EQ(image[1], 0xAA);
        EXPECT_EQ(image[10], 0xAA);
    }
}

TEST(ConfigImage, ShortBuildSendsSlotsOfAnEarlierLongerBuildAgain) {
    SlotTexts slots;
    for (int s = 0; s < kSlotCount; ++s)
        slots[static_cast<size_t>(s)] = FormatHexText(0x0200u + s);
    ConfigImage image{};
    ImageInputs in{.contacts = 4, .repeatText = L"", .slots = &slots};
    BuildConfigImage(image, in);
    EXPECT_EQ(Range(image, 27, 42), Bytes(16, 0x00)) << "nothing there yet after start-up";

    in.contacts = 8;
    BuildConfigImage(image, in);
    const Bytes fromLongBuild = Range(image, 27, 42);
    EXPECT_EQ(fromLongBuild[1], 0x08);  // slot 8

    const SlotTexts cleared;
    in.slots = &cleared;
    in.contacts = 4;
    EXPECT_EQ(BuildConfigImage(image, in), 43);
    EXPECT_EQ(Range(image, 10, 25), Bytes(16, 0x00));
    EXPECT_EQ(Range(image, 27, 42), fromLongBuild);
}

// Texts as a user may type them; all read as the same value.
std::wstring Spelling(std::uint32_t value, unsigned style) {
    std::wstring text = FormatHexText(value);
    if (style % 4 == 1)
        for (wchar_t& c : text)
            c = static_cast<wchar_t>(std::towupper(c));
    return style % 4 == 2 ? L"0x" + text : style % 4 == 3 ? L" 00" + text + L" key" : text;
}

// Random builds over a buffer of leftovers, decoded back by the layout: every byte a build
// names holds its input, every other byte keeps its old value.
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

        ASSERT_EQ(BuildConfigImage(image, {serial, isProtected, bounce, n, repeatText, &slots}),
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
    }
}

}  // namespace
