#include "framework/PreciseTimer.h"

#include "framework/OwnInput.h"

namespace {

// Known from Windows 10 version 1803 on; older systems refuse it and get a plain waitable
// timer, which keeps the system's timer resolution.
constexpr DWORD kHighResolution = 0x2;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// The running timers; a transmission needs one at a time.
constexpr DWORD kMaxTimers = 4;
constexpr std::int64_t kShortestWaitUs = 1000;
// While timers are behind their time, a message still gets its turn this often.
constexpr std::int64_t kLongestMessageWaitUs = 10000;
std::int64_t g_queueSeenUs = 0;  // when the loop last took a message or found the queue empty
CPreciseTimer* g_running[kMaxTimers] = {};

std::int64_t Frequency() {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}
const std::int64_t g_frequency = Frequency();

// Notes that the loop has looked at its queue and what it got there. False for a key message
// of the program's own input: it is off the queue, and nobody gets it.
bool Deliverable(const MSG& msg, BOOL got) {
    g_queueSeenUs = CPreciseTimer::Now();
    return got <= 0 || !fw::IsOwnKey(msg);
}

}  // namespace

bool CPreciseTimer::Start(Handler handler, void* context) {
    Stop();
    CPreciseTimer** slot = nullptr;
    for (CPreciseTimer*& running : g_running) {
        if (running == nullptr) {
            slot = &running;
            break;
        }
    }
    if (slot == nullptr) {
        ::SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return false;
    }
    HANDLE handle = ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS);
    if (handle == nullptr)
        handle = ::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    if (handle == nullptr)
        return false;
    const UINT_PTR coarseId = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnCoarseTimer);
    if (coarseId == 0) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        ::SetLastError(error);
        return false;
    }
    m_handle = handle;
    m_coarseId = coarseId;
    m_handler = handler;
    m_context = context;
    m_dueUs = kNever;
    m_armedUs = kNever;
    *slot = this;
    return true;
}

void CPreciseTimer::WakeAt(std::int64_t dueUs) {
    m_dueUs = dueUs;  // the waitable timer is set only when the loop has nothing else to do
}

void CPreciseTimer::Arm() {
    if (m_dueUs == kNever || m_armedUs == m_dueUs)
        return;
    // Relative, in units of 100 ns: the waitable timer's clock need not be ours.
    const std::int64_t waitUs = m_dueUs - Now();
    LARGE_INTEGER due;
    due.QuadPart = waitUs > 0 ? -10 * waitUs : -1;
    ::SetWaitableTimer(m_handle, &due, 0, nullptr, nullptr, FALSE);
    m_armedUs = m_dueUs;
}

void CPreciseTimer::Stop() {
    if (m_handle == nullptr)
        return;
    ::KillTimer(nullptr, m_coarseId);
    ::CloseHandle(m_handle);
    m_handle = nullptr;
    m_coarseId = 0;
    m_dueUs = kNever;
    m_armedUs = kNever;
    for (CPreciseTimer*& running : g_running) {
        if (running == this)
            running = nullptr;
    }
}

std::int64_t CPreciseTimer::Now() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart / g_frequency * 1000000 +
           now.QuadPart % g_frequency * 1000000 / g_frequency;
}

void CPreciseTimer::Fire() {
    m_dueUs = kNever;  // the handler sets the next time
    m_handler(m_context);
}

CPreciseTimer* CPreciseTimer::FirstDue(std::int64_t leadUs) {
    std::int64_t now = kNever;  // read only while a timer is set
    for (CPreciseTimer* running : g_running) {
        if (running == nullptr || running->m_dueUs == kNever)
            continue;
        if (now == kNever)
            now = Now();
        if (now + leadUs >= running->m_dueUs)
            return running;
    }
    return nullptr;
}

BOOL CPreciseTimer::NextMessage(MSG* msg) {
    // A timer whose time has come by the clock goes first, without asking the system. Messages
    // are taken while no timer is due, and while timers are behind one still gets its turn
    // every kLongestMessageWaitUs, so the dialog keeps answering. At the fastest speeds the
    // steps catch up on their plan without waiting for the key messages of the steps before.
    // The waitable timers are set and waited for only when there is no message.
    // The program's own keys are taken off the queue here and not returned: each step's batch
    // comes back as key messages, which are of no use to the program.
    for (;;) {
        if (CPreciseTimer* due = FirstDue()) {
            if (Now() - g_queueSeenUs < kLongestMessageWaitUs) {
                due->Fire();
                continue;
            }
        }
        HANDLE handles[kMaxTimers];
        CPreciseTimer* timers[kMaxTimers];
        DWORD count = 0;
        for (CPreciseTimer* running : g_running) {
            if (running != nullptr) {
                handles[count] = running->m_handle;
                timers[count++] = running;
            }
        }
        if (count == 0) {
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
        if (FirstDue() != nullptr)
            continue;  // no message waits and a timer is behind: it goes again
        // A wait shorter than a millisecond may sleep a whole one or more (Wine rounds its
        // waits up to milliseconds): for so short a time the loop keeps asking for messages and
        // lets other threads run in between.
        if (FirstDue(kShortestWaitUs) != nullptr) {
            ::SwitchToThread();
            continue;
        }
        for (DWORD i = 0; i < count; ++i)
            timers[i]->Arm();
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT,
                                                         MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + count) {
            // Its handler runs even if the clock says a little early: it sets the time again.
            CPreciseTimer* timer = timers[woke - WAIT_OBJECT_0];
            timer->m_armedUs = kNever;
            timer->Fire();
        } else if (woke != WAIT_OBJECT_0 + count) {
            const BOOL waited = ::GetMessageW(msg, nullptr, 0, 0);  // the coarse timer still runs
            if (Deliverable(*msg, waited))
                return waited;
        }
    }
}

void CALLBACK CPreciseTimer::OnCoarseTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const std::int64_t now = Now();
    for (CPreciseTimer* running : g_running) {
        if (running != nullptr && running->m_coarseId == id) {
            if (now >= running->m_dueUs)
                running->Fire();
            return;
        }
    }
}
