// A transmission of the configuration image over the lock LEDs: preamble, four data steps per
// byte and trailer, each a press and then a release. One object owns a transmission's whole
// state; it sends its steps one per timer expiry on a schedule of its own, or all at once with
// pauses (blocking form).
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
        // Timed form: a timer that calls Tick() once the time last given to WakeAt has come,
        // and possibly at other times too. False when the system refused one.
        virtual bool StartTimer() = 0;
        virtual void WakeAt(std::int64_t dueUs) = 0;  // on the NowMicroseconds clock
        virtual void StopTimer() = 0;
        // A monotonic clock, and for the blocking form a pause of the thread.
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

    // Timed form: stops a running transmission, then plans step k for k + 1 intervals after
    // the start. False, with nothing sent, when the system refused the timer.
    bool Start(int length, std::uint32_t intervalMs);
    // The timer has woken. Sends the next step if it is due, and sets the timer for the step
    // after it; after the last step the timer is stopped. One wake sends at most one step, so
    // a late timer sends no burst; the steps after a late one stay due at their planned times,
    // so lateness does not add up, except that a step never follows the one before it by less
    // than half an interval: after a hold-up the transmission catches up on its plan with
    // every lock level still held for an interval at least.
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
    bool TimerSet() const { return m_timerSet; }

private:
    void Begin(int length);
    std::int64_t Due() const;  // when step m_txStep may go out
    void PerformStep(int k);
    void StopTimer();

    const ConfigImage& m_image;
    Port& m_port;
    int m_txStep = -1;
    int m_txSteps = 0;
    bool m_timerSet = false;
    std::int64_t m_startUs = 0;     // timed form: the start, on the port's clock
    std::int64_t m_intervalUs = 0;  // ... the programming speed
    std::int64_t m_lastSendUs = 0;  // ... when the last step went out
    CLockChannel m_channel;
    KeyBatch m_lastPress;  // a release sends the keys of the press before it
};
