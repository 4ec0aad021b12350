#include "programming/BlockingTransmitter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "programming/AckLetter.h"
#include "unit/support/KeyBatchText.h"

namespace {

using Log = std::vector<std::string>;

class RecordingTransmitter : public CBlockingTransmitter {
public:
    Log log;
    int pausedMs = 0;

protected:
    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        log.push_back((action == KeyAction::Press ? "press " : "release ") + Keys(batch));
    }
    void Pause(int milliseconds) override {
        log.push_back("pause " + std::to_string(milliseconds));
        pausedMs += milliseconds;
    }
    void ShowCountdown(int bytesLeft) override {
        log.push_back("countdown " + std::to_string(bytesLeft));
    }
    void SetExpectedAck(int letter) override { log.push_back(std::string("ack ") + char(letter)); }
    void ClearFeedback() override { log.push_back("clear feedback"); }
    void ResetSlot() override { log.push_back("slot 0"); }
};

TEST(BlockingTransmitter, WholeOrderForATwoByteImage) {
    RecordingTransmitter tx;
    const std::uint8_t image[] = {0xB4, 0x03};
    EXPECT_EQ(tx.SendImage(image, 2), 'a');

    Log expected = {"press CNS", "pause 20", "release CNS", "pause 100", "countdown 2"};
    const auto dataStep = [&expected](const std::string& keys) {
        expected.insert(expected.end(),
                        {"press " + keys, "pause 50", "release " + keys, "pause 50"});
    };
    for (const char* keys : {"SN", "SN", "SC", "SN"})  // 0xB4
        dataStep(keys);
    expected.push_back("countdown 1");
    for (const char* keys : {"S", "S", "S", "SCN"})  // 0x03
        dataStep(keys);
    expected.insert(expected.end(),
                    {"press SNC", "pause 2", "release SNC", "ack a", "clear feedback", "slot 0"});
    EXPECT_EQ(tx.log, expected);
}

TEST(BlockingTransmitter, StepsCountdownAndLetterFollowTheLength) {
    std::array<std::uint8_t, 109> image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 37);
    for (int length : {0, 1, 43, 109}) {
        RecordingTransmitter tx;
        const int letter = tx.SendImage(image.data(), length);
        EXPECT_EQ(letter, ComputeAckLetter(image.data(), length));

        int presses = 0;
        int bytesLeft = length;
        for (std::size_t i = 0; i < tx.log.size(); ++i) {
            if (tx.log[i].rfind("press ", 0) == 0) {
                ++presses;
                ASSERT_EQ(tx.log.at(i + 2), "release " + tx.log[i].substr(6));
            } else if (tx.log[i].rfind("countdown ", 0) == 0) {
                EXPECT_EQ(tx.log[i], "countdown " + std::to_string(bytesLeft--));
            }
        }
        EXPECT_EQ(presses, 1 + 4 * length + 1) << "length " << length;
        EXPECT_EQ(bytesLeft, 0);
        EXPECT_EQ(tx.pausedMs, 20 + 100 + 400 * length + 2);
        // Nothing waits after the trailer's release.
        EXPECT_EQ(tx.log[tx.log.size() - 4].rfind("release ", 0), 0u);
        EXPECT_EQ(Log(tx.log.end() - 3, tx.log.end()),
                  (Log{std::string("ack ") + char(letter), "clear feedback", "slot 0"}));
    }
}

}  // namespace
