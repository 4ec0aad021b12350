// The lock-LED channel driven by a timer: one key batch per tick, so the dialog stays
// responsive. One object per process keeps what must survive between ticks.
#pragma once

#include <optional>

#include "programming/ConfigImage.h"
#include "programming/KeyBatch.h"
#include "programming/LockChannel.h"

class CTimedTransmitter {
public:
    // What one tick asks of the dialog, to be done in this order.
    struct Effects {
        std::optional<int> countdown;  // replace the feedback field's text with this number
        bool send = false;             // one SendInput of `batch` as `action`
        KeyBatch batch;
        KeyAction action = KeyAction::Press;
        bool clearFeedback = false;  // empty the feedback field and set m_slot = 0
        int progress = 0;            // > 0: position for an attached progress dialog

        bool operator==(const Effects&) const = default;
    };

    // Steps of a transmission of `length` bytes (0..109): preamble, four data steps per byte
    // and trailer, each a press and a release.
    static int StepCount(int length);

    // The timer callback's whole rule. While 0 <= txStep < txSteps it performs step txStep
    // and advances txStep by one; otherwise nothing happens and txStep stays where it is,
    // so a timer left running after the trailer costs nothing and never overflows.
    Effects Tick(int& txStep, int txSteps, const ConfigImage& image);

    // What a transmission stopped part-way (the dialog closing under it) still owes the
    // user's keyboard: the keys its last press left down, to be released, and the locks that
    // stand on, to be pressed and released once more. Both empty when none is part-way.
    struct Leftover {
        KeyBatch held;
        KeyBatch locksOn;
    };
    Leftover Abort(int txStep, int txSteps) const;

private:
    Effects Step(int k, int txSteps, const ConfigImage& image);

    CLockChannel m_channel;
    KeyBatch m_lastPress;  // a release step repeats the keys of the press before it
};
