// A timer of the user-interface thread that keeps millisecond time, which window-less thread
// timers cannot: the system runs those every 10 ms at best. The framework's modal loops serve
// it between messages once its time has come by the clock, and wait for a high-resolution
// waitable timer beside the messages while there are none (for less than a millisecond they
// keep asking for messages instead, yielding in between). The system's own modal loops
// (message boxes, the file dialogs, menus, moving the window) know nothing of it; while one
// runs, a thread timer every 10 ms serves it instead, at that coarser pace.
#pragma once

#include <windows.h>

#include <cstdint>

class CPreciseTimer {
public:
    using Handler = void (*)(void* context);

    CPreciseTimer() = default;
    ~CPreciseTimer() { Stop(); }
    CPreciseTimer(const CPreciseTimer&) = delete;
    CPreciseTimer& operator=(const CPreciseTimer&) = delete;

    // Starts the timer, not yet set. `handler` runs on this thread once a time given to WakeAt
    // has come, and may now and then run a little before it. False when the system refused a
    // timer; GetLastError then tells why.
    bool Start(Handler handler, void* context);
    // Sets the timer for `dueUs` on Now()'s clock; a time that has passed is due at once.
    void WakeAt(std::int64_t dueUs);
    void Stop();
    bool Running() const { return m_handle != nullptr; }

    // A monotonic clock in microseconds.
    static std::int64_t Now();

    // The framework's modal loops take their messages here: like GetMessage, but while timers
    // run it also serves those whose time has come, before the messages; while they are
    // behind, a message still comes out at least every 10 ms. Key messages of the program's
    // own input (fw::IsOwnKey) are taken and never returned.
    static BOOL NextMessage(MSG* msg);

private:
    static constexpr std::int64_t kNever = INT64_MAX;
    static void CALLBACK OnCoarseTimer(HWND, UINT, UINT_PTR id, DWORD);
    // The first timer due by the clock within `leadUs` from now; null when none is.
    static CPreciseTimer* FirstDue(std::int64_t leadUs = 0);
    void Fire();
    void Arm();  // sets the waitable timer for m_dueUs unless it is set for that already

    HANDLE m_handle = nullptr;
    UINT_PTR m_coarseId = 0;
    Handler m_handler = nullptr;
    void* m_context = nullptr;
    std::int64_t m_dueUs = kNever;    // when the handler is next due
    std::int64_t m_armedUs = kNever;  // what the waitable timer is set for, until it fires
};
