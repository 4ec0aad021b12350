// The emulated key box against the program's own lock-LED channel code, in-process and without
// the dialog: real SendInput, a real thread timer and real pauses. The letter it types back is
// caught as text in a focused edit window of the test's own, as the program's feedback field
// would catch it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "GuiDriver.h"
#include "keybox/KeyBoxEmulator_win.h"
#include "programming/AckLetter.h"
#include "programming/BlockingTransmitter.h"
#include "programming/ConfigImage.h"
#include "programming/KeySender_win.h"
#include "programming/TimedTransmitter.h"

namespace {

constexpr UINT kIntervalMs = 10;
// The longest pause between two lock changes is 120 ms (the blocking preamble); at 10 ms
// ticks it is 20 ms.
constexpr DWORD kQuietMs = 300;
constexpr DWORD kImageTimeoutMs = 10000;
// Typed by the test after the key box has answered. Input arrives in order, so once the
// marker is in the edit window, whatever the key box typed is there too.
constexpr WORD kMarkerKey = '1';
constexpr wchar_t kMarker = L'1';

// Bytes that make the channel use one-, two- and three-key steps: 0xFF right after the
// preamble changes Scroll Lock alone four times, 0x00 then changes all three at once, 0xB4
// moves Caps and Num in turn. `lastLow` sets the two bits the trailer has to undo.
ConfigImage KnownImage(int length, std::uint8_t seed, std::uint8_t lastLow) {
    ConfigImage image{};
    for (int i = 0; i < length; ++i) {
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 37 + seed);
    }
    image[0] = 0xFF;
    image[1] = 0x00;
    image[2] = 0xB4;
    image[12] = 0x55;
    image[13] = 0xAA;
    auto& last = image[static_cast<std::size_t>(length - 1)];
    last = static_cast<std::uint8_t>((last & 0xFC) | (lastLow & 0x03));
    return image;
}

std::vector<std::uint8_t> Bytes(const ConfigImage& image, int length) {
    return {image.begin(), image.begin() + length};
}

// One timed transmission, paced by a window-less thread timer as in the program.
struct TimedRun {
    CTimedTransmitter transmitter;
    int step = 0;
    int steps = 0;
    const ConfigImage* image = nullptr;
};
TimedRun* g_run = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_run == nullptr) {
        return;
    }
    const auto effects = g_run->transmitter.Tick(g_run->step, g_run->steps, *g_run->image);
    if (effects.send) {
        SendKeyBatch(effects.batch, effects.action);
    }
}

// The blocking routine with the real pauses of the program.
class SleepingTransmitter final : public CBlockingTransmitter {
protected:
    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        SendKeyBatch(batch, action);
    }
    void Pause(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
    void ShowCountdown(int) override {}
    void SetExpectedAck(int) override {}
    void ClearFeedback() override {}
    void ResetSlot() override {}
};

void PrintGaps(const char* what, const std::vector<std::int64_t>& times) {
    if (times.size() < 3) {
        return;
    }
    // The first gap is the preamble's: leave it out of the data-step figures.
    std::vector<std::int64_t> gaps;
    for (std::size_t i = 2; i < times.size(); ++i) {
        gaps.push_back(times[i] - times[i - 1]);
    }
    std::int64_t sum = 0;
    for (std::int64_t gap : gaps) {
        sum += gap;
    }
    std::printf("%s: %zu Scroll Lock changes, gaps min %lld / mean %.1f / max %lld ms\n", what,
                times.size() - 1,
                static_cast<long long>(*std::min_element(gaps.begin(), gaps.end())),
                static_cast<double>(sum) / static_cast<double>(gaps.size()),
                static_cast<long long>(*std::max_element(gaps.begin(), gaps.end())));
}

class KeyBox : public testing::Test {
protected:
    void SetUp() override {
        // A top-level edit window with the focus stands where the feedback field would.
        m_edit = ::CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                                   80, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_edit, nullptr);
        ::SetForegroundWindow(m_edit);
        ::SetFocus(m_edit);
        ASSERT_TRUE(gui::WaitUntil([&] { return ::GetForegroundWindow() == m_edit; }))
            << "the test window did not come to the front";
        ASSERT_TRUE(LocksOff());
        ASSERT_TRUE(m_keyBox.Start()) << "no low-level keyboard hook";
        m_keyBox.SetQuietTime(kQuietMs);
    }

    void TearDown() override {
        m_keyBox.Stop();
        EXPECT_TRUE(LocksOff());
        if (m_edit != nullptr) {
            ::DestroyWindow(m_edit);
        }
    }

    static bool LocksOff() { return gui::ResetLocks(); }

    void SendTimed(const ConfigImage& image, int length) {
        TimedRun run;
        run.steps = CTimedTransmitter::StepCount(length);
        run.image = &image;
        g_run = &run;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, kIntervalMs, OnTick);
        ASSERT_NE(timer, 0u);
        const bool done = gui::WaitUntil([&] { return run.step >= run.steps; }, 60000);
        ::KillTimer(nullptr, timer);
        g_run = nullptr;
        ASSERT_TRUE(done) << "the timer stopped at step " << run.step << " of " << run.steps;
    }

    // What reached the edit window before the marker the test types now.
    std::wstring TypedText() {
        gui::TypeKey(kMarkerKey);
        std::wstring text;
        gui::WaitUntil([&] {
            wchar_t buffer[64] = {};
            ::GetWindowTextW(m_edit, buffer, 64);
            text = buffer;
            return !text.empty() && text.back() == kMarker;
        });
        if (text.empty() || text.back() != kMarker) {
            return L"<no marker: " + text + L">";
        }
        text.pop_back();
        ::SetWindowTextW(m_edit, L"");
        return text;
    }

    static void ExpectImage(const CKeyBoxEmulator::Image& got, const ConfigImage& sent,
                            int length) {
        EXPECT_TRUE(got.valid);
        EXPECT_EQ(got.bytes, Bytes(sent, length));
        // Preamble, four data steps per byte, trailer.
        EXPECT_EQ(got.scrollTimes.size(), static_cast<std::size_t>(4 * length + 2));
    }

    CKeyBoxEmulator m_keyBox;
    HWND m_edit = nullptr;
};

TEST_F(KeyBox, TimedImagesInARowAreDecodedAndAnsweredWithTheirLetters) {
    const ConfigImage small = KnownImage(43, 11, 0x03);
    SendTimed(small, 43);
    ASSERT_TRUE(m_keyBox.WaitForImage(kImageTimeoutMs));
    auto images = m_keyBox.Images();
    ASSERT_EQ(images.size(), 1u);
    ExpectImage(images[0], small, 43);
    const int smallLetter = ComputeAckLetter(small.data(), 43);
    EXPECT_EQ(images[0].typedLetter, smallLetter);
    EXPECT_EQ(TypedText(), std::wstring(1, static_cast<wchar_t>(smallLetter)));
    PrintGaps("timed, 43 bytes at 10 ms", images[0].scrollTimes);

    m_keyBox.Reset();
    const ConfigImage large = KnownImage(109, 29, 0x00);
    SendTimed(large, 109);
    ASSERT_TRUE(m_keyBox.WaitForImage(kImageTimeoutMs));
    images = m_keyBox.Images();
    ASSERT_EQ(images.size(), 1u) << "Reset kept the first image";
    ExpectImage(images[0], large, 109);
    const int largeLetter = ComputeAckLetter(large.data(), 109);
    EXPECT_EQ(images[0].typedLetter, largeLetter);
    EXPECT_EQ(TypedText(), std::wstring(1, static_cast<wchar_t>(largeLetter)));
    PrintGaps("timed, 109 bytes at 10 ms", images[0].scrollTimes);

    // Every lock was pressed and released by the channel, and the trailer left all off.
    const auto events = m_keyBox.LockEvents();
    const auto presses = std::count_if(events.begin(), events.end(),
                                       [](const auto& e) { return e.pressed && e.injected; });
    EXPECT_EQ(presses * 2, static_cast<long>(events.size()));
    EXPECT_FALSE(gui::LockOn(VK_CAPITAL) || gui::LockOn(VK_NUMLOCK) || gui::LockOn(VK_SCROLL));
}

TEST_F(KeyBox, BlockingImageIsDecodedAndAnswered) {
    const ConfigImage image = KnownImage(43, 101, 0x02);
    SleepingTransmitter transmitter;
    const int expected = transmitter.SendImage(image.data(), 43);
    ASSERT_TRUE(m_keyBox.WaitForImage(kImageTimeoutMs));
    const auto images = m_keyBox.Images();
    ASSERT_EQ(images.size(), 1u);
    ExpectImage(images[0], image, 43);
    EXPECT_EQ(images[0].typedLetter, expected);
    EXPECT_EQ(TypedText(), std::wstring(1, static_cast<wchar_t>(expected)));
    PrintGaps("blocking, 43 bytes", images[0].scrollTimes);
}

TEST_F(KeyBox, WrongLetterOnRequest) {
    m_keyBox.SetAnswer(CKeyBoxEmulator::Answer::Wrong);
    const ConfigImage image = KnownImage(43, 53, 0x01);
    SendTimed(image, 43);
    ASSERT_TRUE(m_keyBox.WaitForImage(kImageTimeoutMs));
    const auto images = m_keyBox.Images();
    ASSERT_EQ(images.size(), 1u);
    ExpectImage(images[0], image, 43);
    const int right = ComputeAckLetter(image.data(), 43);
    EXPECT_EQ(images[0].rightLetter, right);
    EXPECT_NE(images[0].typedLetter, right);
    EXPECT_EQ(TypedText(), std::wstring(1, static_cast<wchar_t>(images[0].typedLetter)));
}

TEST_F(KeyBox, NoLetterOnRequest) {
    m_keyBox.SetAnswer(CKeyBoxEmulator::Answer::None);
    const ConfigImage image = KnownImage(43, 7, 0x03);
    SendTimed(image, 43);
    ASSERT_TRUE(m_keyBox.WaitForImage(kImageTimeoutMs));
    const auto images = m_keyBox.Images();
    ASSERT_EQ(images.size(), 1u);
    ExpectImage(images[0], image, 43);
    EXPECT_EQ(images[0].typedLetter, 0);
    EXPECT_EQ(TypedText(), L"");
}

}  // namespace
