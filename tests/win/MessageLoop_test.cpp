// The dialogs' message loop while a write's timer runs behind its time, as at the fastest
// speeds on a slow machine.
#include <gtest/gtest.h>

#include <vector>

#include "framework/MessageLoop.h"
#include "gui/GuiDriver.h"
#include "framework/OwnInput.h"
#include "framework/PreciseTimer.h"

namespace {

// A timer that is due again as soon as it has run, for two seconds at most.
struct AlwaysBehind {
    CPreciseTimer timer;
    std::int64_t start = CPreciseTimer::Now();
    int runs = 0;

    static void Run(void* context) {
        auto* self = static_cast<AlwaysBehind*>(context);
        ++self->runs;
        if (CPreciseTimer::Now() - self->start < 2000000)
            self->timer.WakeAt(0);
        else
            self->timer.Stop();
    }
};

INPUT Key(WORD vk, bool up, bool own) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.dwExtraInfo = own ? fw::kOwnInputMark : 0;
    return input;
}

// The timer goes on running, yet a posted message and a key typed by the user come out of the
// loop, while the keys the program sent itself are taken and never come out.
TEST(MessageLoop, ATimerBehindItsTimeLeavesTheMessagesTheirTurnAndOwnKeysStayUnseen) {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"loop", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                          100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ::SetForegroundWindow(window);
    ASSERT_TRUE(gui::WaitUntil([&] { return ::GetForegroundWindow() == window; }));
    ::SetFocus(window);

    AlwaysBehind behind;
    ASSERT_TRUE(behind.timer.Start(AlwaysBehind::Run, &behind));
    behind.timer.WakeAt(0);
    INPUT keys[] = {Key('A', false, true), Key('A', true, true), Key('B', false, false),
                    Key('B', true, false)};
    ASSERT_EQ(::SendInput(4, keys, sizeof(INPUT)), 4u);
    ::PostMessageW(window, WM_APP, 0, 0);

    std::vector<WPARAM> keysSeen;
    bool posted = false;
    MSG msg;
    while ((!posted || keysSeen.size() < 2) && behind.timer.Running() &&
           fw::NextMessage(&msg) > 0) {
        if (msg.message == WM_APP)
            posted = true;
        else if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)
            keysSeen.push_back(msg.wParam);
        ::DispatchMessageW(&msg);
    }
    EXPECT_TRUE(behind.timer.Running()) << "the messages waited for the timer to stop";
    EXPECT_TRUE(posted);
    EXPECT_EQ(keysSeen, (std::vector<WPARAM>{'B', 'B'}));
    EXPECT_GT(behind.runs, 10);
    behind.timer.Stop();
    ::DestroyWindow(window);
}

}  // namespace
