#include "framework/PreciseTimer.h"

namespace {

// Known from Windows 10 version 1803 on; older systems refuse it and get a plain waitable
// timer, which keeps the system's timer resolution.
constexpr DWORD kHighResolution = 0x2;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// The running timers; a transmission needs one at a time.
constexpr DWORD kMaxTimers = 4;
CPreciseTimer* g_running[kMaxTimers] = {};

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
    *slot = this;
    return true;
}

void CPreciseTimer::WakeAt(std::int64_t dueUs) {
    if (m_handle == nullptr)
        return;
    // Relative, in units of 100 ns: the waitable timer's clock need not be ours.
    const std::int64_t waitUs = dueUs - Now();
    LARGE_INTEGER due;
    due.QuadPart = waitUs > 0 ? -10 * waitUs : -1;
    ::SetWaitableTimer(m_handle, &due, 0, nullptr, nullptr, FALSE);
}

void CPreciseTimer::Stop() {
    if (m_handle == nullptr)
        return;
    ::KillTimer(nullptr, m_coarseId);
    ::CloseHandle(m_handle);
    m_handle = nullptr;
    m_coarseId = 0;
    for (CPreciseTimer*& running : g_running) {
        if (running == this)
            running = nullptr;
    }
}

std::int64_t CPreciseTimer::Now() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency;
}

BOOL CPreciseTimer::NextMessage(MSG* msg) {
    for (bool served = false;; served = true) {
        // After a handler, a message that waits has its turn before the next handler: a timer
        // set for a time already past (a transmission behind its plan) cannot shut them out.
        if (served && ::PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE))
            return msg->message != WM_QUIT;
        HANDLE handles[kMaxTimers];
        CPreciseTimer* timers[kMaxTimers];
        DWORD count = 0;
        for (CPreciseTimer* running : g_running) {
            if (running != nullptr) {
                handles[count] = running->m_handle;
                timers[count++] = running;
            }
        }
        if (count == 0)
            return ::GetMessageW(msg, nullptr, 0, 0);
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT,
                                                         MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + count) {
            CPreciseTimer* timer = timers[woke - WAIT_OBJECT_0];
            timer->m_handler(timer->m_context);
        } else if (woke != WAIT_OBJECT_0 + count) {
            return ::GetMessageW(msg, nullptr, 0, 0);  // the coarse timer still runs
        } else if (::PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE)) {
            return msg->message != WM_QUIT;
        }
    }
}

void CALLBACK CPreciseTimer::OnCoarseTimer(HWND, UINT, UINT_PTR id, DWORD) {
    for (CPreciseTimer* running : g_running) {
        if (running != nullptr && running->m_coarseId == id) {
            running->m_handler(running->m_context);
            return;
        }
    }
}
