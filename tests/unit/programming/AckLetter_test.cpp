#include "programming/AckLetter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

namespace {

std::array<std::uint8_t, 109> Filled(std::uint8_t value) {
    std::array<std::uint8_t, 109> image;
    image.fill(value);
    return image;
}

TEST(AckLetter, KnownImages) {
    EXPECT_EQ(ComputeAckLetter(Filled(0x00).data(), 43), 'p');
    EXPECT_EQ(ComputeAckLetter(Filled(0xFF).data(), 43), 'a');
    EXPECT_EQ(ComputeAckLetter(Filled(0x00).data(), 109), 'n');

    std::array<std::uint8_t, 43> counting;
    for (std::size_t i = 0; i < counting.size(); ++i) {
        counting[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(ComputeAckLetter(counting.data(), 43), 'f');
}

TEST(AckLetter, NoCoveredBytesGiveA) {
    const auto image = Filled(0x00);
    EXPECT_EQ(ComputeAckLetter(image.data(), 10), 'a');
    EXPECT_EQ(ComputeAckLetter(image.data(), 0), 'a');
    EXPECT_EQ(ComputeAckLetter(nullptr, 0), 'a');
    EXPECT_EQ(ComputeAckLetter(image.data(), 11), 'a' + 0x0F);
}

TEST(AckLetter, SerialAndFlagsNeverMatterButEveryCoveredByteDoes) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::array<std::uint8_t, 109> image;
        for (auto& b : image) {
            b = static_cast<std::uint8_t>(byte(random));
        }
        const int length = round % 2 == 0 ? 43 : 109;
        const int letter = ComputeAckLetter(image.data(), length);
        ASSERT_GE(letter, 'a');
        ASSERT_LE(letter, 'p');

        auto changedHead = image;
        changedHead[static_cast<std::size_t>(round % 10)] ^= 0x5A;
        EXPECT_EQ(ComputeAckLetter(changedHead.data(), length), letter);

        // Adding one to a covered byte takes one off its complement.
        auto changedBody = image;
        const std::size_t at = 10 + static_cast<std::size_t>(round) % (length - 10);
        changedBody[at] = static_cast<std::uint8_t>(changedBody[at] + 1);
        EXPECT_EQ(ComputeAckLetter(changedBody.data(), length), 'a' + ((letter - 'a' + 15) % 16));
    }
}

}  // namespace
