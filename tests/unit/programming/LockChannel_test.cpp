#include "programming/LockChannel.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "programming/AckLetter.h"
#include "support/KeyBatchText.h"

namespace {

// One byte right after the preamble (Caps and Num on), then the trailer.
TEST(LockChannel, DataStepsToggleOnlyWhatChangesAndTheTrailerTurnsAllOff) {
    const struct {
        std::uint8_t byte;
        const char* steps[4];
        const char* trailer;
    } cases[] = {
        {0xB4, {"SN", "SN", "SC", "SN"}, "S"}, {0xFF, {"S", "S", "S", "S"}, "SNC"},
        {0x00, {"SCN", "S", "S", "S"}, "S"},   {0x02, {"SCN", "S", "S", "SC"}, "SC"},
        {0x01, {"SCN", "S", "S", "SN"}, "SN"},
    };
    for (const auto& c : cases) {
        CLockChannel channel;
        EXPECT_EQ(Keys(channel.Preamble()), "CNS");
        for (int pair = 0; pair < 4; ++pair)
            EXPECT_EQ(Keys(channel.DataStep(c.byte, pair)), c.steps[pair]) << int{c.byte} << pair;
        EXPECT_EQ(Keys(channel.Trailer()), c.trailer) << int{c.byte};
        EXPECT_FALSE(channel.CapsOn() || channel.NumOn());
    }
}

TEST(AckLetter, CoversTheBytesFromOffsetTenOn) {
    std::array<std::uint8_t, 109> image{};
    EXPECT_EQ(ComputeAckLetter(image.data(), 43), 'p');
    EXPECT_EQ(ComputeAckLetter(image.data(), 109), 'n');
    EXPECT_EQ(ComputeAckLetter(image.data(), 10), 'a');
    EXPECT_EQ(ComputeAckLetter(nullptr, 0), 'a');
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(ComputeAckLetter(image.data(), 43), 'f');
    image.fill(0xFF);
    EXPECT_EQ(ComputeAckLetter(image.data(), 43), 'a');

    // Bytes 0..9 never change the letter; one more in a covered byte takes one off it.
    std::mt19937 rng(20240611);
    for (int round = 0; round < 200; ++round) {
        for (auto& b : image)
            b = static_cast<std::uint8_t>(rng());
        const int length = round % 2 == 0 ? 43 : 109;
        const int letter = ComputeAckLetter(image.data(), length);
        image[static_cast<std::size_t>(round % 10)] ^= static_cast<std::uint8_t>(1 + rng() % 255);
        EXPECT_EQ(ComputeAckLetter(image.data(), length), letter);
        ++image[10 + static_cast<std::size_t>(round) % static_cast<std::size_t>(length - 10)];
        EXPECT_EQ(ComputeAckLetter(image.data(), length), 'a' + (letter - 'a' + 15) % 16);
    }
}

}  // namespace
