#include "framework/PreciseTimer.h"

namespace {

// Known from Windows 10 version 1803 on; older systems refuse it and get a plain waitable
// timer, which keeps the system's timer resolution.
constexpr DWORD kHighResolution = 0x2;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

CPreciseTimer* g_running[CPreciseTimer::kMaxTimers] = {};  // the running timers

std::int64_t Frequency() {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}
const std::int64_t g_frequency = Frequency();

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

bool CPreciseTimer::AnyRunning() {
    for (CPreciseTimer* running : g_running) {
        if (running != nullptr)
            return true;
    }
    return false;
}

DWORD CPreciseTimer::ArmAll(HANDLE (&handles)[kMaxTimers]) {
    DWORD count = 0;
    for (CPreciseTimer* running : g_running) {
        if (running != nullptr) {
            running->Arm();
            handles[count++] = running->m_handle;
        }
    }
    return count;
}

void CPreciseTimer::FireSignalled(HANDLE handle) {
    for (CPreciseTimer* running : g_running) {
        if (running != nullptr && running->m_handle == handle) {
            running->m_armedUs = kNever;
            running->Fire();
            return;
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
