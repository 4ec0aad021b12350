#include "programming/ConfigImage.h"

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
    struct Case {
        std::int32_t serial;
        Bytes bytes;  // offsets 2..9
    };
    const std::vector<Case> cases = {
        {0, {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}},
        {0x12345, {0x30, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x31}},
        {0xABCDE, {0x30, 0x30, 0x41, 0x42, 0x43, 0x44, 0x45, 0x41}},
        {1000, {0x30, 0x30, 0x30, 0x30, 0x33, 0x45, 0x38, 0x4E}},
        {0x9FA0B1C, {0x39, 0x46, 0x41, 0x30, 0x42, 0x31, 0x43, 0x3E}},
        // Bits 28..31 are not represented.
        {1 << 28, {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}},
        {(1 << 28) - 1, {0x46, 0x46, 0x46, 0x46, 0x46, 0x46, 0x46, 0x46}},
        {-1, {0x46, 0x46, 0x46, 0x46, 0x46, 0x46, 0x46, 0x46}},
        {INT32_MIN, {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}},
        {-0x12345, {0x46, 0x46, 0x45, 0x44, 0x43, 0x42, 0x42, 0x42}},
    };
    for (const Case& c : cases) {
        const auto bytes = SerialBytes(c.serial);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), c.bytes) << "serial " << c.serial;
        ConfigImage image = Filled(0xAA);
        PutSerial(image, c.serial);
        EXPECT_EQ(Range(image, 2, 9), c.bytes) << "serial " << c.serial;
        EXPECT_EQ(Range(image, 0, 1), (Bytes{0xAA, 0xAA}));
        EXPECT_EQ(image[10], 0xAA);
    }
}

TEST(ConfigImage, SlotTextsBecomeBigEndianWords) {
    struct Case {
        const wchar_t* text;
        std::uint8_t high, low;
    };
    const Case cases[] = {
        {L"1E", 0x00, 0x1E}, {L"21E", 0x02, 0x1E}, {L"12345", 0x23, 0x45}, {L"zz", 0x00, 0x00},
        {L"", 0x00, 0x00},   {L"f04", 0x0F, 0x04}, {L"-1", 0xFF, 0xFF},    {L" 54c;", 0x05, 0x4C},
    };
    for (const Case& c : cases) {
        SlotTexts slots;
        slots[0] = c.text;
        slots[47] = c.text;
        ConfigImage image = Filled(0xAA);
        PutSlots(image, slots, 24);
        EXPECT_EQ(Range(image, 10, 11), (Bytes{c.high, c.low})) << testing::PrintToString(c.text);
        EXPECT_EQ(Range(image, 107, 108), (Bytes{c.high, c.low})) << testing::PrintToString(c.text);
    }
}

TEST(ConfigImage, SlotsSitAroundTheMaskBytes) {
    const std::pair<int, int> cases[] = {{0, 10},  {7, 24},  {8, 27},  {15, 41},
                                         {16, 44}, {31, 74}, {32, 77}, {47, 107}};
    for (const auto& [slot, offset] : cases)
        EXPECT_EQ(SlotOffset(slot), offset) << "slot " << slot;
}

TEST(ConfigImage, RepeatMaskBytesDependOnContactCount) {
    ConfigImage image = Filled(0xAA);
    PutRepeatMask(image, L"123456", 24);
    EXPECT_EQ(image[26], 0x56);
    EXPECT_EQ(image[43], 0x34);
    EXPECT_EQ(image[76], 0x12);

    image = Filled(0xAA);
    PutRepeatMask(image, L"123456", 8);
    EXPECT_EQ(image[26], 0x56);
    EXPECT_EQ(image[43], 0xAA);
    EXPECT_EQ(image[76], 0xAA);

    // An empty text clears all three, also after a nonzero mask.
    image = Filled(0xAA);
    PutRepeatMask(image, L"ffffff", 24);
    PutRepeatMask(image, L"", 24);
    EXPECT_EQ(image[26], 0x00);
    EXPECT_EQ(image[43], 0x00);
    EXPECT_EQ(image[76], 0x00);

    // Bits above the 24 contacts are dropped.
    PutRepeatMask(image, L"7f000001", 9);
    EXPECT_EQ(image[26], 0x01);
    EXPECT_EQ(image[43], 0x00);
    EXPECT_EQ(image[76], 0x00);
}

TEST(ConfigImage, FlagsFollowEveryBuild) {
    SlotTexts slots;
    ConfigImage image{};
    ImageInputs in{.serial = 1,
                   .protectedFlag = true,
                   .bounceTime = 0x1234,
                   .contacts = 4,
                   .repeatText = L"",
                   .slots = &slots};
    BuildConfigImage(image, in);
    EXPECT_EQ(image[0], 0x01);
    EXPECT_EQ(image[1], 0x34);
    in.protectedFlag = false;
    in.bounceTime = 0xFFFFFF00;
    BuildConfigImage(image, in);
    EXPECT_EQ(image[0], 0x00);
    EXPECT_EQ(image[1], 0x00);
}

// The bytes a build writes are those whose value does not depend on what the buffer held
// before; the rest must keep the old value, whatever the contact count (also one from the
// registry outside 1..24).
TEST(ConfigImage, BuildWritesExactlyTheNamedBytes) {
    struct Case {
        std::int32_t contacts;
        int length;
        bool middleSlots;  // slots 8..15 at 27..42
        bool fullImage;    // mask bytes 43, 76 and slots 16..47
    };
    const Case cases[] = {
        {INT32_MIN, 43, false, false}, {-3, 43, false, false}, {0, 43, false, false},
        {1, 43, false, false},         {4, 43, false, false},  {5, 43, true, false},
        {8, 43, true, false},          {9, 109, true, true},   {16, 109, true, true},
        {24, 109, true, true},         {25, 109, true, true},  {INT32_MAX, 109, true, true},
    };
    SlotTexts slots;
    for (int s = 0; s < kSlotCount; ++s)
        slots[static_cast<size_t>(s)] = FormatHexText(0x100u * s + 7);
    for (const Case& c : cases) {
        const ImageInputs in{.serial = 0x1234567,
                             .protectedFlag = true,
                             .bounceTime = 20,
                             .contacts = c.contacts,
                             .repeatText = L"abcdef",
                             .slots = &slots};
        ConfigImage zeros = Filled(0x00);
        ConfigImage ones = Filled(0xFF);
        EXPECT_EQ(BuildConfigImage(zeros, in), c.length) << "contacts " << c.contacts;
        EXPECT_EQ(BuildConfigImage(ones, in), c.length) << "contacts " << c.contacts;
        EXPECT_EQ(ImageSlotCount(c.contacts), c.fullImage ? 48 : c.middleSlots ? 16 : 8);
        for (int offset = 0; offset < kImageSize; ++offset) {
            bool written = offset <= 26;
            if (offset >= 27 && offset <= 42)
                written = c.middleSlots;
            if (offset >= 43)
                written = c.fullImage;
            EXPECT_EQ(zeros[offset] == ones[offset], written)
                << "contacts " << c.contacts << ", offset " << offset;
        }
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
    EXPECT_EQ(fromLongBuild[0], 0x02);
    EXPECT_EQ(fromLongBuild[1], 0x08);  // slot 8

    SlotTexts cleared;
    in.slots = &cleared;
    in.contacts = 4;
    EXPECT_EQ(BuildConfigImage(image, in), 43);
    EXPECT_EQ(Range(image, 10, 25), Bytes(16, 0x00));
    EXPECT_EQ(Range(image, 27, 42), fromLongBuild);
}

// Where a key box reads each slot, from the layout of its memory: four runs of slots
// separated by the three mask bytes.
std::vector<int> SlotAddressesFromLayout() {
    struct Block {
        int firstOffset, lastOffset;
    };
    const Block blocks[] = {{10, 25}, {27, 42}, {44, 75}, {77, 108}};
    std::vector<int> addresses;
    for (const Block& block : blocks) {
        for (int offset = block.firstOffset; offset <= block.lastOffset; offset += 2)
            addresses.push_back(offset);
    }
    return addresses;
}

// Texts as a user may type them: all decode to the same value.
std::wstring Spelling(std::uint32_t value, unsigned style) {
    std::wstring text = FormatHexText(value);
    switch (style % 5) {
        case 0:
            return text;
        case 1:
            for (wchar_t& c : text)
                c = static_cast<wchar_t>(std::towupper(c));
            return text;
        case 2:
            return L"0x" + text;
        case 3:
            return L"  " + text + L" key";
        default:
            return L"000" + text;
    }
}

TEST(ConfigImage, RandomBuildsDecodeBackToTheirInputs) {
    const std::vector<int> slotAddress = SlotAddressesFromLayout();
    ASSERT_EQ(slotAddress.size(), 48u);
    std::mt19937 rng(0x0A5E1);
    ConfigImage image{};
    for (int round = 0; round < 500; ++round) {
        // Leave garbage from "earlier builds" in the buffer.
        for (auto& byte : image)
            byte = static_cast<std::uint8_t>(rng());
        const ConfigImage before = image;

        SlotTexts slots;
        std::array<std::uint32_t, kSlotCount> values{};
        for (int s = 0; s < kSlotCount; ++s) {
            values[s] = rng() >> (rng() % 32);
            slots[s] = Spelling(values[s], rng());
        }
        const std::uint32_t mask = rng() >> (rng() % 32);
        const std::wstring repeatText = Spelling(mask, rng());
        const auto contacts = static_cast<std::int32_t>(rng() % 30) - 3;
        const auto serial = static_cast<std::int32_t>(rng());
        const bool isProtected = rng() & 1;
        const std::uint32_t bounce = rng();

        const ImageInputs in{serial, isProtected, bounce, contacts, repeatText, &slots};
        const int length = BuildConfigImage(image, in);
        const bool full = contacts >= 9;
        ASSERT_EQ(length, full ? 109 : 43);

        EXPECT_EQ(image[0], isProtected ? 1 : 0);
        EXPECT_EQ(image[1], bounce & 0xFF);

        std::uint32_t decodedSerial = 0;
        std::uint8_t check = 0;
        for (int k = 0; k < 7; ++k) {
            const wchar_t digit = image[2 + k];
            ASSERT_TRUE((digit >= L'0' && digit <= L'9') || (digit >= L'A' && digit <= L'F'));
            decodedSerial = decodedSerial << 4 | ParseHexText(std::wstring(1, digit));
            check ^= image[2 + k];
        }
        EXPECT_EQ(decodedSerial, static_cast<std::uint32_t>(serial) & 0x0FFFFFFF);
        EXPECT_EQ(image[9], check);

        if (full) {
            const std::uint32_t decodedMask = image[26] | image[43] << 8 | image[76] << 16;
            EXPECT_EQ(decodedMask, mask & 0xFFFFFF);
        } else {
            EXPECT_EQ(image[26], mask & 0xFF);
            EXPECT_EQ(image[43], before[43]);
            EXPECT_EQ(image[76], before[76]);
        }

        const int written = full ? 48 : contacts >= 5 ? 16 : 8;
        for (int s = 0; s < kSlotCount; ++s) {
            const int at = slotAddress[s];
            const std::uint32_t word = image[at] << 8 | image[at + 1];
            if (s < written) {
                EXPECT_EQ(word, values[s] & 0xFFFF) << "slot " << s << ", round " << round;
            } else {
                EXPECT_EQ(word, static_cast<std::uint32_t>(before[at] << 8 | before[at + 1]))
                    << "slot " << s << ", round " << round;
            }
        }
    }
}

}  // namespace
