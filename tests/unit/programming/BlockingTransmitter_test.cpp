#include "programming/BlockingTransmitter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "keybox/KeyBoxDecoder.h"
#include "programming/AckLetter.h"

namespace {

std::string KeysText(const KeyBatch& batch) {
    std::string text;
    for (int i = 0; i < batch.count; ++i) {
        text += batch.keys[static_cast<std::size_t>(i)] == kVkCapsLock  ? "C"
                : batch.keys[static_cast<std::size_t>(i)] == kVkNumLock ? "N"
                                                                        : "S";
    }
    return text;
}

// Records every platform operation in order and plays a key box on a fake clock.
class RecordingTransmitter : public CBlockingTransmitter {
public:
    std::vector<std::string> log;
    std::vector<std::pair<KeyBatch, KeyAction>> sent;
    std::int64_t clockMs = 0;
    CKeyBoxDecoder keyBox;

protected:
    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        log.push_back((action == KeyAction::Press ? "press " : "release ") + KeysText(batch));
        sent.emplace_back(batch, action);
        for (int i = 0; i < batch.count; ++i) {
            keyBox.OnKey(batch.keys[static_cast<std::size_t>(i)], action == KeyAction::Press,
                         clockMs);
        }
    }
    void Pause(int milliseconds) override {
        log.push_back("pause " + std::to_string(milliseconds));
        clockMs += milliseconds;
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

    std::vector<std::string> expected = {"press CNS", "pause 20", "release CNS", "pause 100"};
    const auto dataStep = [&expected](const std::string& keys) {
        for (const std::string& entry : {"press " + keys, std::string("pause 50"),
                                         "release " + keys, std::string("pause 50")}) {
            expected.push_back(entry);
        }
    };
    expected.push_back("countdown 2");
    for (const char* keys : {"SN", "SN", "SC", "SN"}) {  // 0xB4
        dataStep(keys);
    }
    expected.push_back("countdown 1");
    for (const char* keys : {"S", "S", "S", "SCN"}) {  // 0x03
        dataStep(keys);
    }
    for (const char* entry :
         {"press SNC", "pause 2", "release SNC", "ack a", "clear feedback", "slot 0"}) {
        expected.push_back(entry);
    }
    EXPECT_EQ(tx.log, expected);
}

TEST(BlockingTransmitter, StepCountsAndCountdownFollowTheLength) {
    for (int length : {0, 1, 43, 109}) {
        RecordingTransmitter tx;
        std::array<std::uint8_t, 109> image{};
        tx.SendImage(image.data(), length);

        int presses = 0;
        std::vector<int> countdown;
        for (const auto& entry : tx.log) {
            presses += entry.rfind("press ", 0) == 0;
            if (entry.rfind("countdown ", 0) == 0) {
                countdown.push_back(std::stoi(entry.substr(10)));
            }
        }
        EXPECT_EQ(presses, 1 + 4 * length + 1) << "length " << length;
        ASSERT_EQ(countdown.size(), static_cast<std::size_t>(length));
        for (int i = 0; i < length; ++i) {
            EXPECT_EQ(countdown[static_cast<std::size_t>(i)], length - i);
        }
        // Every press is released with the same keys, and nothing waits after the trailer.
        ASSERT_EQ(tx.sent.size() % 2, 0u);
        for (std::size_t i = 0; i < tx.sent.size(); i += 2) {
            EXPECT_EQ(tx.sent[i].second, KeyAction::Press);
            EXPECT_EQ(tx.sent[i + 1].second, KeyAction::Release);
            EXPECT_EQ(tx.sent[i].first, tx.sent[i + 1].first);
        }
        EXPECT_EQ(tx.clockMs, 20 + 100 + 400 * length + 2);
        EXPECT_EQ(tx.log[tx.log.size() - 4].rfind("release ", 0), 0u);
    }
}

TEST(BlockingTransmitter, KeyBoxReadsRandomImagesAtTheRightPace) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int length : {43, 109, 43, 109}) {
        std::array<std::uint8_t, 109> image{};
        for (int i = 0; i < length; ++i) {
            image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(byte(random));
        }
        RecordingTransmitter tx;
        const int letter = tx.SendImage(image.data(), length);
        tx.keyBox.Quiet();

        EXPECT_EQ(letter, ComputeAckLetter(image.data(), length));
        EXPECT_EQ(tx.log[tx.log.size() - 3], std::string("ack ") + char(letter));
        ASSERT_TRUE(tx.keyBox.IsValidImage());
        EXPECT_EQ(tx.keyBox.Bytes(),
                  std::vector<std::uint8_t>(image.begin(), image.begin() + length));
        EXPECT_FALSE(tx.keyBox.CapsOn() || tx.keyBox.NumOn() || tx.keyBox.ScrollOn());

        // Preamble, 4 x length data steps, trailer: the first data step 120 ms after the
        // preamble, then one Scroll Lock change every 100 ms.
        const auto& times = tx.keyBox.ScrollChangeTimes();
        ASSERT_EQ(times.size(), static_cast<std::size_t>(4 * length + 2));
        EXPECT_EQ(times[1] - times[0], 120);
        for (std::size_t i = 2; i < times.size(); ++i) {
            EXPECT_EQ(times[i] - times[i - 1], 100) << "change " << i;
        }
    }
}

}  // namespace
