#include "keybox/KeyBoxDecoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "programming/LockChannel.h"

namespace {

// Feeds the decoder a batch as the hook sees it: every key pressed, then every key released.
void Send(CKeyBoxDecoder& keyBox, const KeyBatch& batch, std::int64_t& now) {
    for (int i = 0; i < batch.count; ++i) {
        keyBox.OnKey(batch.keys[static_cast<std::size_t>(i)], true, now);
    }
    now += 10;
    for (int i = 0; i < batch.count; ++i) {
        keyBox.OnKey(batch.keys[static_cast<std::size_t>(i)], false, now);
    }
    now += 10;
}

void SendImage(CKeyBoxDecoder& keyBox, const std::vector<std::uint8_t>& bytes, std::int64_t& now,
               bool withTrailer = true) {
    CLockChannel channel;
    Send(keyBox, channel.Preamble(), now);
    for (std::uint8_t b : bytes) {
        for (int pair = 0; pair < 4; ++pair) {
            Send(keyBox, channel.DataStep(b, pair), now);
        }
    }
    if (withTrailer) {
        Send(keyBox, channel.Trailer(), now);
    }
}

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, int length) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(byte(random));
    }
    return bytes;
}

TEST(KeyBoxDecoder, RoundTripOfRandomImages) {
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        const int length = round % 2 == 0 ? 43 : 109;
        const auto bytes = RandomBytes(random, length);
        CKeyBoxDecoder keyBox;
        std::int64_t now = 0;
        SendImage(keyBox, bytes, now);
        keyBox.Quiet();
        ASSERT_TRUE(keyBox.IsValidImage()) << "round " << round;
        EXPECT_EQ(keyBox.DecodedLength(), length);
        EXPECT_EQ(keyBox.Bytes(), bytes) << "round " << round;
        EXPECT_FALSE(keyBox.CapsOn() || keyBox.NumOn() || keyBox.ScrollOn());
    }
}

TEST(KeyBoxDecoder, OnlyFortyThreeOrOneHundredNineBytesAreAnImage) {
    std::mt19937 random(99);
    for (int length : {0, 1, 42, 44, 108, 110}) {
        CKeyBoxDecoder keyBox;
        std::int64_t now = 0;
        const auto bytes = RandomBytes(random, length);
        SendImage(keyBox, bytes, now);
        keyBox.Quiet();
        EXPECT_EQ(keyBox.Bytes(), bytes);
        EXPECT_FALSE(keyBox.IsValidImage()) << "length " << length;
    }
}

TEST(KeyBoxDecoder, WithoutItsTrailerTheLastStepIsLostAndTheImageIsIncomplete) {
    std::mt19937 random(5);
    const auto bytes = RandomBytes(random, 43);
    CKeyBoxDecoder keyBox;
    std::int64_t now = 0;
    SendImage(keyBox, bytes, now, false);
    EXPECT_FALSE(keyBox.Finished());
    keyBox.Quiet();
    EXPECT_EQ(keyBox.DecodedLength(), 42);
    EXPECT_FALSE(keyBox.IsValidImage());
}

TEST(KeyBoxDecoder, IgnoresWhatComesBeforeThePreambleAndOtherKeys) {
    CKeyBoxDecoder keyBox;
    std::int64_t now = 0;
    // Scroll Lock going on and off, and Caps Lock alone, are no preamble.
    for (std::uint16_t vk : {kVkScrollLock, kVkScrollLock, kVkCapsLock, kVkCapsLock}) {
        keyBox.OnKey(vk, true, now);
        keyBox.OnKey(vk, false, now);
    }
    keyBox.OnKey('A', true, now);
    keyBox.Quiet();
    EXPECT_FALSE(keyBox.PreambleSeen());
    EXPECT_FALSE(keyBox.Finished());
    EXPECT_TRUE(keyBox.ScrollChangeTimes().empty());

    const std::vector<std::uint8_t> bytes(43, 0xC3);
    SendImage(keyBox, bytes, now);
    keyBox.OnKey(0x41, true, now);  // the key box's own letter does not disturb it
    keyBox.Quiet();
    EXPECT_TRUE(keyBox.IsValidImage());
    EXPECT_EQ(keyBox.Bytes(), bytes);
}

TEST(KeyBoxDecoder, ResetWaitsForTheNextImageAndKeepsTheLockLevels) {
    std::mt19937 random(77);
    CKeyBoxDecoder keyBox;
    std::int64_t now = 0;
    SendImage(keyBox, RandomBytes(random, 109), now);
    keyBox.Quiet();
    ASSERT_TRUE(keyBox.IsValidImage());

    // A user's Caps Lock between two images is followed but decodes nothing.
    keyBox.Reset();
    keyBox.OnKey(kVkCapsLock, true, now);
    keyBox.OnKey(kVkCapsLock, true, now);
    EXPECT_FALSE(keyBox.CapsOn());
    EXPECT_TRUE(keyBox.Bytes().empty());

    const auto second = RandomBytes(random, 43);
    const std::int64_t start = now;
    SendImage(keyBox, second, now);
    keyBox.Quiet();
    EXPECT_TRUE(keyBox.IsValidImage());
    EXPECT_EQ(keyBox.Bytes(), second);
    ASSERT_EQ(keyBox.ScrollChangeTimes().size(), 4u * 43 + 2);
    EXPECT_EQ(keyBox.ScrollChangeTimes().front(), start);
}

}  // namespace
