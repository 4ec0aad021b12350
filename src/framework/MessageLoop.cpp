#include "framework/MessageLoop.h"

#include <cstdint>

#include "framework/Dialog.h"
#include "framework/OwnInput.h"
#include "framework/PreciseTimer.h"

namespace {

constexpr std::int64_t kShortestWaitUs = 1000;
// While timers are behind their time, a message still gets its turn this often.
constexpr std::int64_t kLongestMessageWaitUs = 10000;
std::int64_t g_queueSeenUs = 0;  // when the loop last took a message or found the queue empty

// Notes that the loop has looked at its queue and what it got there. False for a key message
// of the program's own input: it is off the queue, and nobody gets it.
bool Deliverable(const MSG& msg, BOOL got) {
    g_queueSeenUs = CPreciseTimer::Now();
    return got <= 0 || !fw::IsOwnKey(msg);
}

// Offers a message to the framework dialogs from its target window outwards. Messages
// without a window (thread timers) are offered to none and go straight to dispatch.
BOOL PreTranslateChain(MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd != nullptr;) {
        if (CDialog* dialog = CDialog::FromHandle(hwnd)) {
            if (dialog->PreTranslateMessage(msg))
                return TRUE;
        }
        if ((::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
        hwnd = ::GetParent(hwnd);
    }
    return FALSE;
}

}  // namespace

namespace fw {

BOOL NextMessage(MSG* msg) {
    // A timer whose time has come by the clock goes first, without asking the system. Messages
    // are taken while no timer is due, and while timers are behind one still gets its turn
    // every kLongestMessageWaitUs, so the dialog keeps answering. At the fastest speeds the
    // steps catch up on their plan without waiting for the key messages of the steps before.
    // The waitable timers are set and waited for only when there is no message.
    // The program's own keys are taken off the queue here and not returned: each step's batch
    // comes back as key messages, which are of no use to the program.
    for (;;) {
        if (CPreciseTimer* due = CPreciseTimer::FirstDue()) {
            if (CPreciseTimer::Now() - g_queueSeenUs < kLongestMessageWaitUs) {
                due->Fire();
                continue;
            }
        }
        if (!CPreciseTimer::AnyRunning()) {
            const BOOL got = ::GetMessageW(msg, nullptr, 0, 0);
            if (Deliverable(*msg, got))
                return got;
            continue;
        }
        const BOOL got = ::PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE);
        if (!Deliverable(*msg, got))
            continue;
        if (got)
            return msg->message != WM_QUIT;
        if (CPreciseTimer::FirstDue() != nullptr)
            continue;  // no message waits and a timer is behind: it goes again
        // A wait shorter than a millisecond may sleep a whole one or more (Wine rounds its
        // waits up to milliseconds): for so short a time the loop keeps asking for messages and
        // lets other threads run in between.
        if (CPreciseTimer::FirstDue(kShortestWaitUs) != nullptr) {
            ::SwitchToThread();
            continue;
        }
        HANDLE handles[CPreciseTimer::kMaxTimers];
        const DWORD count = CPreciseTimer::ArmAll(handles);
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT,
                                                         MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + count) {
            CPreciseTimer::FireSignalled(handles[woke - WAIT_OBJECT_0]);
        } else if (woke != WAIT_OBJECT_0 + count) {
            const BOOL waited = ::GetMessageW(msg, nullptr, 0, 0);  // the coarse timer still runs
            if (Deliverable(*msg, waited))
                return waited;
        }
    }
}

void RunModalLoop(HWND hwnd, const bool& running) {
    MSG msg;
    while (running && ::IsWindow(hwnd)) {
        const BOOL got = NextMessage(&msg);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for outer loops
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateChain(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

}  // namespace fw
