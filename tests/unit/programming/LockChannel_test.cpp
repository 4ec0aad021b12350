#include "programming/LockChannel.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

constexpr std::uint16_t C = kVkCapsLock;
constexpr std::uint16_t N = kVkNumLock;
constexpr std::uint16_t S = kVkScrollLock;

KeyBatch Batch(std::initializer_list<std::uint16_t> keys) {
    KeyBatch batch;
    for (std::uint16_t vk : keys) {
        batch.Add(vk);
    }
    return batch;
}

struct Levels {
    bool caps;
    bool num;
    bool operator==(const Levels&) const = default;
};

// The four batches of one byte and the data-lock levels after each of them.
void ExpectByte(CLockChannel& channel, std::uint8_t byte, const std::vector<KeyBatch>& batches,
                const std::vector<Levels>& levels) {
    for (int pair = 0; pair < 4; ++pair) {
        EXPECT_EQ(channel.DataStep(byte, pair), batches[pair]) << "pair " << pair;
        EXPECT_EQ((Levels{channel.CapsOn(), channel.NumOn()}), levels[pair]) << "pair " << pair;
    }
}

TEST(LockChannel, PreambleTurnsAllThreeOnThenByteB4TogglesOnlyWhatChanges) {
    CLockChannel channel;
    EXPECT_EQ(channel.Preamble(), Batch({C, N, S}));
    EXPECT_TRUE(channel.CapsOn() && channel.NumOn());
    // 0xB4 = 10 11 01 00
    ExpectByte(channel, 0xB4, {Batch({S, N}), Batch({S, N}), Batch({S, C}), Batch({S, N})},
               {{true, false}, {true, true}, {false, true}, {false, false}});
}

TEST(LockChannel, FirstByteAfterThePreamble) {
    {
        CLockChannel channel;
        channel.Preamble();
        ExpectByte(channel, 0xFF, {Batch({S}), Batch({S}), Batch({S}), Batch({S})},
                   {{true, true}, {true, true}, {true, true}, {true, true}});
    }
    {
        CLockChannel channel;
        channel.Preamble();
        ExpectByte(channel, 0x00, {Batch({S, C, N}), Batch({S}), Batch({S}), Batch({S})},
                   {{false, false}, {false, false}, {false, false}, {false, false}});
    }
}

TEST(LockChannel, TrailerTurnsOffWhatTheLastPairLeftOn) {
    const struct {
        std::uint8_t lastByte;
        KeyBatch trailer;
    } cases[] = {
        {0x00, Batch({S})},    {0xFC, Batch({S})},    {0x03, Batch({S, N, C})},
        {0x02, Batch({S, C})}, {0x01, Batch({S, N})},
    };
    for (const auto& c : cases) {
        CLockChannel channel;
        channel.Preamble();
        for (int pair = 0; pair < 4; ++pair) {
            channel.DataStep(c.lastByte, pair);
        }
        EXPECT_EQ(channel.Trailer(), c.trailer) << "last byte " << int{c.lastByte};
        EXPECT_FALSE(channel.CapsOn());
        EXPECT_FALSE(channel.NumOn());
    }
}

}  // namespace
