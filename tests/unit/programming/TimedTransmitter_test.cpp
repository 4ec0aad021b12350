#include "programming/TimedTransmitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "programming/BlockingTransmitter.h"

namespace {

using Sent = std::vector<std::pair<KeyBatch, KeyAction>>;
using Effects = CTimedTransmitter::Effects;

ConfigImage RandomImage(std::uint32_t seed) {
    std::mt19937 rng(seed);
    ConfigImage image{};
    for (auto& b : image)
        b = static_cast<std::uint8_t>(rng());
    return image;
}

// What the blocking transmitter sends for the same image: the timed form sends the same
// batches, one per tick.
Sent BlockingBatches(const ConfigImage& image, int length) {
    struct Collector : CBlockingTransmitter {
        Sent sent;
        void SendBatch(const KeyBatch& batch, KeyAction action) override {
            sent.emplace_back(batch, action);
        }
        void Pause(int) override {}
        void ShowCountdown(int) override {}
        void SetExpectedAck(int) override {}
        void ClearFeedback() override {}
        void ResetSlot() override {}
    } collector;
    collector.SendImage(image.data(), length);
    return collector.sent;
}

// For 43 bytes: countdown 43 at step 2, 42 at step 10, ... 1 at step 338, the field cleared
// with the trailer at step 346, its release at 347, the last step.
TEST(TimedTransmitter, WalksAWholeTransmissionOneBatchPerTick) {
    for (int length : {43, 109}) {
        const ConfigImage image = RandomImage(static_cast<std::uint32_t>(length));
        CTimedTransmitter tx;
        int txStep = 0;
        const int txSteps = CTimedTransmitter::StepCount(length);
        ASSERT_EQ(txSteps, 8 * length + 4);
        Sent sent;
        for (int k = 0; k < txSteps; ++k) {
            const Effects fx = tx.Tick(txStep, txSteps, image);
            ASSERT_EQ(txStep, k + 1);
            EXPECT_EQ(fx.progress, k + 1);
            ASSERT_TRUE(fx.send) << "step " << k;
            sent.emplace_back(fx.batch, fx.action);
            const bool byteStart = k >= 2 && k < txSteps - 2 && (k - 2) % 8 == 0;
            EXPECT_EQ(fx.countdown, byteStart ? std::optional(length - (k - 2) / 8) : std::nullopt)
                << "step " << k;
            EXPECT_EQ(fx.clearFeedback, k == txSteps - 2) << "step " << k;
        }
        EXPECT_EQ(sent, BlockingBatches(image, length));
    }
}

// No transmission yet, or the timer ticking on after the last step: nothing happens and the
// step counter stays where it is.
TEST(TimedTransmitter, NothingBeforeAStartOrAfterTheEnd) {
    CTimedTransmitter tx;
    for (auto [step, steps] : {std::pair{-1, 348}, {348, 348}, {INT_MAX, 348}, {-1, 0}}) {
        int txStep = step;
        EXPECT_EQ(tx.Tick(txStep, steps, ConfigImage{}), Effects{});
        EXPECT_EQ(txStep, step);
    }
}

TEST(TimedTransmitter, RestartInTheMiddleBeginsWithAFullPreamble) {
    const ConfigImage first = RandomImage(1);
    const ConfigImage second = RandomImage(2);
    CTimedTransmitter tx;
    int txStep = 0;
    for (int k = 0; k < 101; ++k)  // stops after a press, with the locks in mid-image states
        tx.Tick(txStep, CTimedTransmitter::StepCount(109), first);

    txStep = 0;
    Sent sent;
    while (txStep < CTimedTransmitter::StepCount(43)) {
        const Effects fx = tx.Tick(txStep, CTimedTransmitter::StepCount(43), second);
        sent.emplace_back(fx.batch, fx.action);
    }
    EXPECT_EQ(sent, BlockingBatches(second, 43));
}

// The host's view of the locks: a press toggles a lock, and a key stays down until released.
struct HostKeyboard {
    std::map<std::uint16_t, bool> on, down;
    void Apply(const KeyBatch& batch, KeyAction action) {
        for (int i = 0; i < batch.count; ++i) {
            const std::uint16_t vk = batch.keys[static_cast<std::size_t>(i)];
            on[vk] = on[vk] != (action == KeyAction::Press);
            down[vk] = action == KeyAction::Press;
        }
    }
    bool Clean() const {
        const auto set = [](const auto& entry) { return entry.second; };
        return std::none_of(on.begin(), on.end(), set) &&
               std::none_of(down.begin(), down.end(), set);
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
            const Effects fx = tx.Tick(txStep, steps, image);
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
