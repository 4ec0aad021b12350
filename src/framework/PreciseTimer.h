// A timer of the user-interface thread that keeps millisecond time, which window-less thread
// timers cannot: the system runs those every 10 ms at best. It is a high-resolution waitable
// timer that the framework's modal loops wait for beside the messages. The system's own modal
// loops (message boxes, the file dialogs, menus, moving the window) do not wait for it; while
// one runs, a thread timer every 10 ms calls the handler instead, which does what has come due.
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
    // has come, and may run at other times too. False when the system refused a timer;
    // GetLastError then tells why.
    bool Start(Handler handler, void* context);
    // Sets the timer for `dueUs` on Now()'s clock; a time that has passed wakes at once.
    void WakeAt(std::int64_t dueUs);
    void Stop();
    bool Running() const { return m_handle != nullptr; }

    // A monotonic clock in microseconds.
    static std::int64_t Now();

    // The framework's modal loops take their messages here: like GetMessage, but while
    // timers run it waits for them as well and calls the handler of each that expires.
    static BOOL NextMessage(MSG* msg);

private:
    static void CALLBACK OnCoarseTimer(HWND, UINT, UINT_PTR id, DWORD);

    HANDLE m_handle = nullptr;
    UINT_PTR m_coarseId = 0;
    Handler m_handler = nullptr;
    void* m_context = nullptr;
};
