#include "keybox/KeyBoxLetter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "programming/AckLetter.h"

namespace {

std::vector<std::uint8_t> Filled(int length, std::uint8_t value) {
    return std::vector<std::uint8_t>(static_cast<std::size_t>(length), value);
}

TEST(KeyBoxLetter, KnownImages) {
    std::vector<std::uint8_t> counting(43);
    for (int i = 0; i < 43; ++i) {
        counting[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    struct Case {
        const char* name;
        std::vector<std::uint8_t> image;
        int letter;
    };
    const Case cases[] = {
        {"43 zero bytes", Filled(43, 0x00), 'p'},
        {"43 bytes 0xFF", Filled(43, 0xFF), 'a'},
        {"109 zero bytes", Filled(109, 0x00), 'n'},
        {"byte i holds i", counting, 'f'},
        {"no bytes after the serial", Filled(10, 0x5A), 'a'},
        {"empty", {}, 'a'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyBoxLetter(c.image), c.letter) << c.name;
    }
}

// The key box's form of the checksum and the program's must never disagree, or a good write
// would be reported as failed.
TEST(KeyBoxLetter, AgreesWithTheProgramsLetterOnRandomImages) {
    std::mt19937 random(77);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 400; ++round) {
        const int length = round % 4 == 0 ? 43 : (round % 4 == 1 ? 109 : round % 120);
        std::vector<std::uint8_t> image(static_cast<std::size_t>(length));
        for (auto& b : image) {
            b = static_cast<std::uint8_t>(byte(random));
        }
        ASSERT_EQ(KeyBoxLetter(image), ComputeAckLetter(image.data(), length))
            << "length " << length << ", round " << round;
    }
}

TEST(KeyBoxLetter, WrongLetterDiffersAndStaysAmongTheSixteen) {
    for (int right = 'a'; right <= 'p'; ++right) {
        const int wrong = KeyBoxWrongLetter(right);
        EXPECT_NE(wrong, right);
        EXPECT_GE(wrong, 'a');
        EXPECT_LE(wrong, 'p');
    }
}

}  // namespace
