// A transmission of the configuration image over the lock LEDs: preamble, four data steps per
// byte and trailer, each a press and then a release. One object owns a transmission's whole
// state; it sends its steps one per timer tick, or all at once with pauses (blocking form).
#pragma once

#include <cstdint>

#include "programming/ConfigImage.h"
#include "programming/KeyBatch.h"
#include "programming/LockChannel.h"

class CLockTransmission {
public:
    // What a transmission needs of the platform and of the dialog.
    class Port {
    public:
        virtual void SendBatch(const KeyBatch& batch, KeyAction action) = 0;  // one SendInput
        virtual void ShowCountdown(int bytesLeft) = 0;  // the feedback field shows the number
        virtual void ImageSent() = 0;         // the trailer is out: feedback emptied, slot 0
        virtual void Progress(int step) = 0;  // timed form: `step` steps are done
        // Timed form: a window-less thread timer whose ticks call Tick(); 0 when none started.
        virtual std::uintptr_t StartTimer(std::uint32_t intervalMs) = 0;
        virtual void KillTimer(std::uintptr_t id) = 0;
        // Blocking form: a monotonic clock and a pause of the thread.
        virtual std::int64_t NowMicroseconds() = 0;
        virtual void Sleep(int milliseconds) = 0;

    protected:
        ~Port() = default;
    };

    // The transmission sends bytes of `image` (the dialog's buffer) while it runs.
    CLockTransmission(const ConfigImage& image, Port& port) : m_image(image), m_port(port) {}

    // Steps of a transmission of `length` bytes (0..109).
    static int StepCount(int length);
    // When the blocking form sends step k of `steps`, in ms after the preamble: the preamble
    // is held 20 ms and followed by 100 ms of quiet, each data press and release 50 ms, the
    // trailer press 2 ms.
    static int BlockingStepTime(int k, int steps);

    // Timed form: stops a running transmission, then sends step 0 at the first tick, one
    // interval after the start, and one step per tick after it.
    void Start(int length, std::uint32_t intervalMs);
    // One timer expiry. While running, performs step m_txStep and advances; after the last
    // step the timer is killed, and a tick that still arrives does nothing.
    void Tick();
    // Blocking form: stops a running transmission and sends the same steps on this thread,
    // each when it is due, so the time spent sending does not add up. Returns at the end.
    void SendBlocking(int length);
    // Stops a running transmission where it stands and releases the keys its last press
    // left down. Returns true when a transmission was cut short: its lock states are then
    // for the caller to put right.
    bool Stop();

    bool Running() const { return m_txStep >= 0 && m_txStep < m_txSteps; }
    int Step() const { return m_txStep; }    // the next step; -1 before the first one
    int Steps() const { return m_txSteps; }  // steps of the current transmission
    bool TimerSet() const { return m_timerId != 0; }

private:
    void Begin(int length);
    void PerformStep(int k);
    void KillTimer();

    const ConfigImage& m_image;
    Port& m_port;
    int m_txStep = -1;
    int m_txSteps = 0;
    std::uintptr_t m_timerId = 0;  // the running timer; 0: none
    CLockChannel m_channel;
    KeyBatch m_lastPress;  // a release sends the keys of the press before it
};
