// The timed and blocking transmission over the lock LEDs on this computer: the transmission
// with its timer, the SendInput of each key batch, and the locks left off after a transmission
// that was cut short. What the user sees of it goes to a view (the main dialog).
#pragma once

#include <cstdint>

#include "framework/PreciseTimer.h"
#include "programming/ConfigImage.h"
#include "programming/LockTransmission.h"

class CLedTransmitter final : private CLockTransmission::Port {
public:
    class View {
    public:
        virtual void ShowCountdown(int bytesLeft) = 0;  // the feedback field shows the number
        virtual void ImageSent() = 0;         // the trailer is out: feedback emptied, slot 0
        virtual void Progress(int step) = 0;  // timed form: `step` steps are done

    protected:
        ~View() = default;
    };

    // Sends bytes of `image` (the dialog's buffer) while it runs.
    CLedTransmitter(const ConfigImage& image, View& view)
        : m_transmission(image, *this), m_view(view) {}

    // Timed form at `intervalMs` a step; false, with nothing sent, when the system refused the
    // timer (GetLastError tells why).
    bool Start(int length, std::uint32_t intervalMs) {
        return m_transmission.Start(length, intervalMs);
    }
    // Blocking form: returns once the trailer is out.
    void SendBlocking(int length) { m_transmission.SendBlocking(length); }
    bool Running() const { return m_transmission.Running(); }
    // Stops a running transmission. True when one was cut short: the keyboard is then left as
    // it was before the write, every lock off and no lock key down.
    bool Stop();

private:
    static void TransmitStep(void* transmitter);
    void SendBatch(const KeyBatch& batch, KeyAction action) override;
    void ShowCountdown(int bytesLeft) override { m_view.ShowCountdown(bytesLeft); }
    void ImageSent() override { m_view.ImageSent(); }
    void Progress(int step) override { m_view.Progress(step); }
    bool StartTimer() override;
    void WakeAt(std::int64_t dueUs) override { m_timer.WakeAt(dueUs); }
    void StopTimer() override { m_timer.Stop(); }
    std::int64_t NowMicroseconds() override { return CPreciseTimer::Now(); }
    void Sleep(int milliseconds) override;

    CPreciseTimer m_timer;             // paces the timed form
    CLockTransmission m_transmission;  // m_txStep, m_txSteps, the schedule
    View& m_view;
};
