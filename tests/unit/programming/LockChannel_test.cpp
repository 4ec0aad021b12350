#include "programming/LockChannel.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "keybox/KeyBoxDecoder.h"
#include "programming/AckLetter.h"
#include "unit/support/KeyBatchText.h"

namespace {

constexpr std::uint16_t kVkA = 'A';

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

// The key box's side: every press and release of the channel, fed to the decoder, rebuilds
// the image; only 43 or 109 bytes make one.
TEST(LockChannel, KeyBoxDecoderRebuildsRandomImages) {
    std::mt19937 rng(1234);
    CKeyBoxDecoder keyBox;
    for (int length : {43, 109, 43, 109, 0, 1, 42, 44, 108, 110}) {
        std::vector<std::uint8_t> image(static_cast<std::size_t>(length));
        for (auto& b : image)
            b = static_cast<std::uint8_t>(rng());
        keyBox.Reset();
        // No preamble: locks that go on and off again, and other keys.
        for (std::uint16_t vk : {kVkScrollLock, kVkScrollLock, kVkCapsLock, kVkCapsLock, kVkA})
            keyBox.OnKey(vk, true, 0);
        CLockChannel channel;
        std::vector<KeyBatch> batches = {channel.Preamble()};
        for (std::uint8_t b : image)
            for (int pair = 0; pair < 4; ++pair)
                batches.push_back(channel.DataStep(b, pair));
        batches.push_back(channel.Trailer());
        for (const KeyBatch& batch : batches) {
            for (bool pressed : {true, false})
                for (int i = 0; i < batch.count; ++i)
                    keyBox.OnKey(batch.keys[static_cast<std::size_t>(i)], pressed, 0);
        }
        keyBox.Quiet();
        EXPECT_EQ(keyBox.Bytes(), image);
        EXPECT_EQ(keyBox.IsValidImage(), length == 43 || length == 109) << "length " << length;
        EXPECT_TRUE(keyBox.LocksOff());
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
