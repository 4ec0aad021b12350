// A timer of the user-interface thread that keeps millisecond time, which window-less thread
// timers cannot: the system runs those every 10 ms at best. The framework's message loop
// (framework/MessageLoop.h) serves it between messages once its time has come by the clock,
// and waits for its high-resolution waitable timer beside the messages while there are none.
// The system's own modal loops (message boxes, the file dialogs, menus, moving the window)
// know nothing of it; while one runs, a thread timer every 10 ms serves it instead, at that
// coarser pace.
#pragma once

#include <windows.h>

#include <cstdint>

class CPreciseTimer {
public:
    using Handler = void (*)(void* context);
    // The most timers that run at once; a transmission needs one at a time.
    static constexpr DWORD kMaxTimers = 4;

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

    // What the message loop asks of the running timers.
    static bool AnyRunning();
    // The first timer due by the clock within `leadUs` from now; null when none is.
    static CPreciseTimer* FirstDue(std::int64_t leadUs = 0);
    // Runs the handler, which sets the next time.
    void Fire();
    // Sets each running timer's waitable timer for its time, unless it is set for that
    // already, and gives their handles to wait on; returns how many.
    static DWORD ArmAll(HANDLE (&handles)[kMaxTimers]);
    // Runs the handler of the timer whose waitable timer `handle` has fired, even if the clock
    // says a little early: it sets the time again.
    static void FireSignalled(HANDLE handle);

private:
    static constexpr std::int64_t kNever = INT64_MAX;
    static void CALLBACK OnCoarseTimer(HWND, UINT, UINT_PTR id, DWORD);
    void Arm();  // sets the waitable timer for m_dueUs unless it is set for that already

    HANDLE m_handle = nullptr;
    UINT_PTR m_coarseId = 0;
    Handler m_handler = nullptr;
    void* m_context = nullptr;
    std::int64_t m_dueUs = kNever;    // when the handler is next due
    std::int64_t m_armedUs = kNever;  // what the waitable timer is set for, until it fires
};
