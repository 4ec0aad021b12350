#include "programming/LockTransmission.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/KeyBatchText.h"

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
    bool refuseTimer = false;
    std::int64_t wakeUs = 0;  // the time the timer was last set for

    void WakeOnTime(CLockTransmission& tx) {  // when the timer was last set for
        nowUs = std::max(nowUs, wakeUs);
        tx.Tick();
    }

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
    bool StartTimer() override {
        log.push_back("timer");
        return !refuseTimer;
    }
    void WakeAt(std::int64_t dueUs) override {
        log.push_back("wake " + std::to_string(dueUs));
        wakeUs = dueUs;
    }
    void StopTimer() override { log.push_back("stop timer"); }
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

// One step per wake, the countdown at the first step of every byte and the feedback cleared
// with the trailer: for 43 bytes 43 at step 2, 42 at step 10 ... 1 at step 338, cleared at
// 346. Step k is due k + 1 intervals after the start; the timer stops after the last. The
// timed form sends what the blocking form sends.
TEST(LockTransmission, TimedFormSendsOneStepPerIntervalAndStopsItsTimerAfterTheLast) {
    for (int length : {43, 109}) {
        const ConfigImage image = RandomImage(static_cast<std::uint32_t>(length));
        FakePort port;
        port.nowUs = 7000;
        CLockTransmission tx(image, port);
        ASSERT_TRUE(tx.Start(length, 50));
        const int steps = 8 * length + 4;
        ASSERT_EQ(tx.Steps(), steps);
        EXPECT_EQ(port.log, (Log{"timer", "wake 57000"}));
        for (int k = 0; k < steps; ++k) {
            port.log.clear();
            port.WakeOnTime(tx);
            ASSERT_EQ(tx.Step(), k + 1);
            const bool byteStart = k >= 2 && k < steps - 2 && (k - 2) % 8 == 0;
            EXPECT_EQ(port.log.front() == "countdown " + std::to_string(length - (k - 2) / 8),
                      byteStart)
                << "step " << k;
            EXPECT_EQ(port.log.size(), byteStart || k == steps - 2 ? 4u : 3u) << "step " << k;
            EXPECT_EQ(port.log[port.log.size() - 2], "progress " + std::to_string(k + 1));
            const std::string next = "wake " + std::to_string(7000 + 50000 * (k + 2));
            EXPECT_EQ(port.log.back(), k == steps - 1 ? "stop timer" : next) << "step " << k;
        }
        // Wakes that still arrive do nothing.
        port.log.clear();
        port.nowUs += 50000;
        tx.Tick();
        EXPECT_TRUE(port.log.empty());
        EXPECT_EQ(tx.Step(), steps);
        EXPECT_FALSE(tx.TimerSet());
    }
}

// The timer at 2 ms from time 0, waking early (the coarse timer of a foreign message loop),
// a little late, and after a hold-up of several intervals: each wake sends one step at most,
// a step stays due at its planned time, and none follows the one before it by less than half
// an interval, so the transmission catches up at twice its pace and is back on plan at step 9.
TEST(LockTransmission, ALateWakeSendsOneStepAndTheNextStaysDueAtItsPlannedTime) {
    const struct {
        std::int64_t wakeUs;
        int sent;  // the step sent; -1: none
        std::int64_t nextUs;
    } rows[] = {
        {1500, -1, 2000},   {2000, 0, 4000},   {4300, 1, 6000},   {13000, 2, 14000},
        {13900, -1, 14000}, {14000, 3, 15000}, {15000, 4, 16000}, {16000, 5, 17000},
        {17000, 6, 18000},  {18000, 7, 19000}, {19000, 8, 20000}, {20000, 9, 22000},
    };
    const ConfigImage image = RandomImage(3);
    FakePort port;
    CLockTransmission tx(image, port);
    ASSERT_TRUE(tx.Start(43, 2));
    for (const auto& row : rows) {
        port.nowUs = row.wakeUs;
        const int step = tx.Step();
        port.log.clear();
        tx.Tick();
        EXPECT_EQ(port.Sends().size(), row.sent < 0 ? 0u : 1u) << "wake at " << row.wakeUs;
        EXPECT_EQ(tx.Step(), row.sent < 0 ? step : row.sent + 1) << "wake at " << row.wakeUs;
        EXPECT_EQ(port.log.back(), "wake " + std::to_string(row.nextUs)) << row.wakeUs;
    }
}

// Closing the dialog, or a new write, at any step: the keys of a press are released, the
// timer is stopped, and the locks that stand on are then put right by the dialog. A timer
// the system refuses starts nothing.
TEST(LockTransmission, StoppingAtAnyStepLeavesNoKeyDown) {
    const ConfigImage image = RandomImage(7);
    const int steps = CLockTransmission::StepCount(43);
    for (int stop = 0; stop <= steps; ++stop) {
        FakePort port;
        CLockTransmission tx(image, port);
        ASSERT_TRUE(tx.Start(43, 10));
        while (tx.Step() < stop)
            port.WakeOnTime(tx);
        EXPECT_EQ(tx.Stop(), stop < steps) << "stopped before step " << stop;
        EXPECT_FALSE(tx.TimerSet());
        EXPECT_FALSE(tx.Running());
        EXPECT_TRUE(port.CleanAfterTurningLocksOff()) << "stopped before step " << stop;
    }
    FakePort refused;
    refused.refuseTimer = true;
    CLockTransmission tx(image, refused);
    EXPECT_FALSE(tx.Start(43, 10));
    tx.Tick();
    EXPECT_EQ(refused.log, Log{"timer"});
}

// A new transmission started over a running one (after a press, with the data locks in
// mid-image states) releases that press, stops the old timer and begins with a preamble.
TEST(LockTransmission, RestartReleasesThePressAndBeginsWithAFullPreamble) {
    const ConfigImage image = RandomImage(1);
    FakePort port;
    CLockTransmission tx(image, port);
    ASSERT_TRUE(tx.Start(109, 10));
    for (int k = 0; k < 101; ++k)
        port.WakeOnTime(tx);
    const std::string lastPress = port.Sends().back();
    port.log.clear();
    ASSERT_TRUE(tx.Start(43, 20));
    const std::string wake = "wake " + std::to_string(port.nowUs + 20000);
    EXPECT_EQ(port.log, (Log{"stop timer", "release " + lastPress.substr(6), "timer", wake}));
    port.WakeOnTime(tx);
    EXPECT_EQ(port.Sends().back(), "press CNS");
    EXPECT_EQ(tx.Step(), 1);
}

}  // namespace
