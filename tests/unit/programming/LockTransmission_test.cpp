#include "programming/LockTransmission.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "unit/support/KeyBatchText.h"

namespace {

using Log = std::vector<std::string>;

ConfigImage RandomImage(std::uint32_t seed) {
    std::mt19937 rng(seed);
    ConfigImage image{};
    for (auto& b : image)
        b = static_cast<std::uint8_t>(rng());
    return image;
}

// The platform and the dialog as one recording fake, with a clock that only moves when the
// transmission sleeps or sends (a SendInput costs 0.3 ms here), and the host's view of the
// locks: a press toggles a lock, a key stays down until released.
class FakePort : public CLockTransmission::Port {
public:
    Log log;
    std::int64_t nowUs = 0;
    std::vector<std::int64_t> sendTimesUs;
    std::map<std::uint16_t, bool> on, down;
    int timers = 0;

    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        const bool press = action == KeyAction::Press;
        log.push_back((press ? "press " : "release ") + Keys(batch));
        sendTimesUs.push_back(nowUs);
        nowUs += 300;
        for (int i = 0; i < batch.count; ++i) {
            const std::uint16_t vk = batch.keys[static_cast<std::size_t>(i)];
            on[vk] = on[vk] != press;
            down[vk] = press;
        }
    }
    void ShowCountdown(int bytesLeft) override {
        log.push_back("countdown " + std::to_string(bytesLeft));
    }
    void ImageSent() override { log.push_back("image sent"); }
    void Progress(int step) override { log.push_back("progress " + std::to_string(step)); }
    std::uintptr_t StartTimer(std::uint32_t intervalMs) override {
        log.push_back("timer " + std::to_string(intervalMs));
        return static_cast<std::uintptr_t>(++timers);
    }
    void KillTimer(std::uintptr_t id) override { log.push_back("kill " + std::to_string(id)); }
    std::int64_t NowMicroseconds() override { return nowUs; }
    void Sleep(int milliseconds) override { nowUs += 1000 * std::int64_t{milliseconds}; }

    Log Sends() const {
        Log sends;
        for (const std::string& line : log) {
            if (line.rfind("press", 0) == 0 || line.rfind("release", 0) == 0)
                sends.push_back(line);
        }
        return sends;
    }
    // What the dialog does when it closes under a transmission: every lock that is on is
    // pressed and released once more. Afterwards no lock may be on and no key down.
    bool CleanAfterTurningLocksOff() {
        KeyBatch stillOn = LockKeysWhere([&](std::uint16_t vk) { return on[vk]; });
        SendBatch(stillOn, KeyAction::Press);
        SendBatch(stillOn, KeyAction::Release);
        for (const auto& [vk, state] : on) {
            if (state || down[vk])
                return false;
        }
        return true;
    }
};

// The whole blocking order for two bytes, right after the preamble: 0xB4 changes the data
// locks one at a time, 0x03 leaves both on, so the trailer turns all three off.
TEST(LockTransmission, BlockingFormSendsEveryStepWhenItIsDue) {
    ConfigImage image{};
    image[0] = 0xB4;
    image[1] = 0x03;
    FakePort port;
    CLockTransmission tx(image, port);
    tx.SendBlocking(2);

    Log expected = {"press CNS", "release CNS", "countdown 2"};
    for (const char* keys : {"SN", "SN", "SC", "SN"})
        expected.insert(expected.end(),
                        {std::string("press ") + keys, std::string("release ") + keys});
    expected.push_back("countdown 1");
    for (const char* keys : {"S", "S", "S", "SCN"})
        expected.insert(expected.end(),
                        {std::string("press ") + keys, std::string("release ") + keys});
    expected.insert(expected.end(), {"press SNC", "image sent", "release SNC"});
    EXPECT_EQ(port.log, expected);

    // Preamble held 20 ms and 100 ms of quiet, 50 ms per data press and release, trailer
    // press 2 ms: the time spent sending is taken out of the next pause, not added to it.
    std::vector<std::int64_t> due = {0, 20};
    for (int step = 0; step <= 16; ++step)
        due.push_back(120 + 50 * step);
    due.push_back(922);
    ASSERT_EQ(port.sendTimesUs.size(), due.size());
    for (std::size_t i = 0; i < due.size(); ++i) {
        EXPECT_GE(port.sendTimesUs[i], 1000 * due[i]) << "send " << i;
        EXPECT_LT(port.sendTimesUs[i], 1000 * due[i] + 1000) << "send " << i;
    }
    EXPECT_FALSE(tx.Running());
}

// One step per tick, the countdown at the first step of every byte and the feedback cleared
// with the trailer: for 43 bytes 43 at step 2, 42 at step 10 ... 1 at step 338, cleared at
// 346. The timed form sends what the blocking form sends.
TEST(LockTransmission, TimedFormSendsOneStepPerTickAndStopsItsTimerAfterTheLast) {
    for (int length : {43, 109}) {
        const ConfigImage image = RandomImage(static_cast<std::uint32_t>(length));
        FakePort port;
        CLockTransmission tx(image, port);
        tx.Start(length, 50);
        const int steps = 8 * length + 4;
        ASSERT_EQ(tx.Steps(), steps);
        EXPECT_EQ(port.log, Log{"timer 50"});
        for (int k = 0; k < steps; ++k) {
            port.log.clear();
            tx.Tick();
            ASSERT_EQ(tx.Step(), k + 1);
            ASSERT_FALSE(port.log.empty());
            const bool byteStart = k >= 2 && k < steps - 2 && (k - 2) % 8 == 0;
            EXPECT_EQ(port.log.front() == "countdown " + std::to_string(length - (k - 2) / 8),
                      byteStart)
                << "step " << k;
            EXPECT_EQ(port.log.size(), byteStart || k >= steps - 2 ? 3u : 2u) << "step " << k;
            const std::string progress = "progress " + std::to_string(k + 1);
            EXPECT_EQ(port.log.back(), k == steps - 1 ? "kill 1" : progress) << "step " << k;
        }
        // Ticks that still arrive do nothing.
        port.log.clear();
        tx.Tick();
        EXPECT_TRUE(port.log.empty());
        EXPECT_EQ(tx.Step(), steps);
        EXPECT_EQ(port.Sends().size(), 0u);
    }
}

// Closing the dialog, or a new write, at any step: the keys of a press are released, the
// timer is killed, and the locks that stand on are then put right by the dialog.
TEST(LockTransmission, StoppingAtAnyStepLeavesNoKeyDown) {
    const ConfigImage image = RandomImage(7);
    const int steps = CLockTransmission::StepCount(43);
    for (int stop = 0; stop <= steps; ++stop) {
        FakePort port;
        CLockTransmission tx(image, port);
        tx.Start(43, 10);
        while (tx.Step() < stop)
            tx.Tick();
        EXPECT_EQ(tx.Stop(), stop < steps) << "stopped before step " << stop;
        EXPECT_FALSE(tx.TimerSet());
        EXPECT_FALSE(tx.Running());
        EXPECT_TRUE(port.CleanAfterTurningLocksOff()) << "stopped before step " << stop;
    }
}

// A new transmission started over a running one (after a press, with the data locks in
// mid-image states) releases that press, kills the old timer and begins with a preamble.
TEST(LockTransmission, RestartReleasesThePressAndBeginsWithAFullPreamble) {
    const ConfigImage image = RandomImage(1);
    FakePort port;
    CLockTransmission tx(image, port);
    tx.Start(109, 10);
    for (int k = 0; k < 101; ++k)
        tx.Tick();
    const std::string lastPress = port.Sends().back();
    port.log.clear();
    tx.Start(43, 20);
    EXPECT_EQ(port.log, (Log{"kill 1", "release " + lastPress.substr(6), "timer 20"}));
    tx.Tick();
    EXPECT_EQ(port.Sends().back(), "press CNS");
    EXPECT_EQ(tx.Step(), 1);
}

}  // namespace
