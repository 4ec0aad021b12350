#include "programming/TimedTransmitter.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "keybox/KeyBoxDecoder.h"
#include "programming/BlockingTransmitter.h"

namespace {

using Sent = std::vector<std::pair<KeyBatch, KeyAction>>;

ConfigImage RandomImage(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    ConfigImage image{};
    for (auto& b : image) {
        b = static_cast<std::uint8_t>(byte(random));
    }
    return image;
}

// The same image through the blocking transmitter, for comparing the two forms.
class BatchCollector : public CBlockingTransmitter {
public:
    Sent sent;

protected:
    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        sent.emplace_back(batch, action);
    }
    void Pause(int) override {}
    void ShowCountdown(int) override {}
    void SetExpectedAck(int) override {}
    void ClearFeedback() override {}
    void ResetSlot() override {}
};

Sent BlockingBatches(const ConfigImage& image, int length) {
    BatchCollector collector;
    collector.SendImage(image.data(), length);
    return collector.sent;
}

TEST(TimedTransmitter, WalksAWhole43ByteTransmission) {
    const ConfigImage image = RandomImage(43);
    CTimedTransmitter tx;
    int txStep = 0;
    const int txSteps = CTimedTransmitter::StepCount(43);
    ASSERT_EQ(txSteps, 348);

    Sent sent;
    for (int k = 0; k < txSteps; ++k) {
        const CTimedTransmitter::Effects fx = tx.Tick(txStep, txSteps, image);
        ASSERT_EQ(txStep, k + 1);
        EXPECT_EQ(fx.progress, k + 1);
        ASSERT_TRUE(fx.send) << "step " << k;
        EXPECT_EQ(fx.action, k % 2 == 0 ? KeyAction::Press : KeyAction::Release) << "step " << k;
        sent.emplace_back(fx.batch, fx.action);

        const bool byteStart = k >= 2 && k <= 338 && (k - 2) % 8 == 0;
        EXPECT_EQ(fx.countdown.has_value(), byteStart) << "step " << k;
        if (byteStart) {
            EXPECT_EQ(*fx.countdown, 43 - (k - 2) / 8) << "step " << k;
        }
        EXPECT_EQ(fx.clearFeedback, k == 346) << "step " << k;
    }
    EXPECT_EQ(sent[1].first.count, 3);  // the preamble's release lets go of all three keys
    EXPECT_EQ(sent[347].first, sent[346].first);

    // The timer keeps ticking after the trailer: nothing happens and the counter stays put.
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(tx.Tick(txStep, txSteps, image), CTimedTransmitter::Effects{});
    }
    EXPECT_EQ(txStep, txSteps);

    // One batch per tick, exactly what the blocking transmitter sends.
    EXPECT_EQ(sent, BlockingBatches(image, 43));
}

TEST(TimedTransmitter, NothingBeforeAStartOrWithoutSteps) {
    const ConfigImage image{};
    CTimedTransmitter tx;
    const std::pair<int, int> idle[] = {{-1, 0}, {0, 0}, {-1, 348}, {348, 348}, {INT_MAX, 348}};
    for (auto [step, steps] : idle) {
        int txStep = step;
        EXPECT_EQ(tx.Tick(txStep, steps, image), CTimedTransmitter::Effects{});
        EXPECT_EQ(txStep, step);
    }
}

TEST(TimedTransmitter, RestartInTheMiddleBeginsWithAFullPreamble) {
    const ConfigImage first = RandomImage(1);
    const ConfigImage second = RandomImage(2);
    CTimedTransmitter tx;
    int txStep = 0;
    int txSteps = CTimedTransmitter::StepCount(109);
    for (int k = 0; k < 101; ++k) {  // stops after a press, with locks in mid-image states
        tx.Tick(txStep, txSteps, first);
    }

    txStep = 0;
    txSteps = CTimedTransmitter::StepCount(43);
    Sent sent;
    while (txStep < txSteps) {
        const auto fx = tx.Tick(txStep, txSteps, second);
        sent.emplace_back(fx.batch, fx.action);
    }
    EXPECT_EQ(sent, BlockingBatches(second, 43));
}

TEST(TimedTransmitter, KeyBoxReadsTheImageWithDataHeldForTwoTicks) {
    for (int length : {43, 109}) {
        const ConfigImage image = RandomImage(static_cast<std::uint32_t>(length) * 31);
        CTimedTransmitter tx;
        CKeyBoxDecoder keyBox;
        int txStep = 0;
        const int txSteps = CTimedTransmitter::StepCount(length);
        const std::int64_t intervalMs = 50;
        for (std::int64_t now = intervalMs; txStep < txSteps; now += intervalMs) {
            const auto fx = tx.Tick(txStep, txSteps, image);
            for (int i = 0; i < fx.batch.count; ++i) {
                keyBox.OnKey(fx.batch.keys[static_cast<std::size_t>(i)],
                             fx.action == KeyAction::Press, now);
            }
        }
        keyBox.Quiet();
        ASSERT_TRUE(keyBox.IsValidImage());
        EXPECT_EQ(keyBox.Bytes(), std::vector<std::uint8_t>(image.begin(), image.begin() + length));
        const auto& times = keyBox.ScrollChangeTimes();
        ASSERT_EQ(times.size(), static_cast<std::size_t>(4 * length + 2));
        for (std::size_t i = 1; i < times.size(); ++i) {
            EXPECT_EQ(times[i] - times[i - 1], 2 * intervalMs);
        }
    }
}

// The host's view of the three locks: a press toggles, keys stay down until released.
struct HostKeyboard {
    std::map<std::uint16_t, bool> on, down;
    void Apply(const KeyBatch& batch, KeyAction action) {
        for (int i = 0; i < batch.count; ++i) {
            const std::uint16_t vk = batch.keys[static_cast<size_t>(i)];
            if (action == KeyAction::Press) {
                on[vk] = !on[vk];
                down[vk] = true;
            } else {
                down[vk] = false;
            }
        }
    }
    bool Clean() const {
        for (const auto& [vk, state] : on)
            if (state)
                return false;
        for (const auto& [vk, state] : down)
            if (state)
                return false;
        return true;
    }
};

TEST(TimedTransmitter, StoppingAtAnyStepLeavesNoLockOnAndNoKeyDown) {
    const ConfigImage image = RandomImage(7);
    const int steps = CTimedTransmitter::StepCount(43);
    for (int stop = 0; stop <= steps; ++stop) {
        CTimedTransmitter tx;
        HostKeyboard host;
        int txStep = 0;
        while (txStep < stop) {
            const auto fx = tx.Tick(txStep, steps, image);
            if (fx.send)
                host.Apply(fx.batch, fx.action);
        }
        const auto leftover = tx.Abort(txStep, steps);
        host.Apply(leftover.held, KeyAction::Release);
        host.Apply(leftover.locksOn, KeyAction::Press);
        host.Apply(leftover.locksOn, KeyAction::Release);
        EXPECT_TRUE(host.Clean()) << "stopped before step " << stop;
        if (stop == 0 || stop == steps) {
            EXPECT_EQ(leftover.held.count + leftover.locksOn.count, 0) << "step " << stop;
        }
    }
}

}  // namespace
