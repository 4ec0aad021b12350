#include "programming/TimedTransmitter.h"

#include <algorithm>

int CTimedTransmitter::StepCount(int length) {
    return 8 * std::clamp(length, 0, kImageSize) + 4;
}

CTimedTransmitter::Effects CTimedTransmitter::Tick(int& txStep, int txSteps,
                                                   const ConfigImage& image) {
    const int k = txStep;
    if (k < 0 || k >= txSteps) {
        return {};
    }
    Effects effects = Step(k, txSteps, image);
    txStep = k + 1;
    effects.progress = k + 1;
    return effects;
}

CTimedTransmitter::Effects CTimedTransmitter::Step(int k, int txSteps, const ConfigImage& image) {
    Effects effects;
    if (k % 2 == 1) {
        effects.batch = m_lastPress;
        effects.action = KeyAction::Release;
        effects.send = m_lastPress.count > 0;
        return effects;
    }

    if (k == 0) {
        m_lastPress = m_channel.Preamble();
    } else if (k == txSteps - 2) {
        m_lastPress = m_channel.Trailer();
        effects.clearFeedback = true;
    } else {
        const int byteIndex = (k - 2) / 8;
        const int pair = ((k - 2) / 2) % 4;
        if (byteIndex >= kImageSize) {
            m_lastPress = {};  // a step count that does not match the buffer sends nothing
            return effects;
        }
        if (pair == 0) {
            effects.countdown = (txSteps - k) / 8;
        }
        m_lastPress = m_channel.DataStep(image[static_cast<std::size_t>(byteIndex)], pair);
    }
    effects.batch = m_lastPress;
    effects.action = KeyAction::Press;
    effects.send = true;
    return effects;
}

CTimedTransmitter::Leftover CTimedTransmitter::Abort(int txStep, int txSteps) const {
    Leftover leftover;
    if (txStep <= 0 || txStep >= txSteps) {
        return leftover;  // not started, or the trailer has turned everything off again
    }
    if (txStep % 2 == 1) {
        leftover.held = m_lastPress;
    }
    // Every press step toggles Scroll Lock: the preamble turns it on, each later one flips it.
    const int pressSteps = (txStep + 1) / 2;
    if (pressSteps % 2 == 1) {
        leftover.locksOn.Add(kVkScrollLock);
    }
    if (m_channel.NumOn()) {
        leftover.locksOn.Add(kVkNumLock);
    }
    if (m_channel.CapsOn()) {
        leftover.locksOn.Add(kVkCapsLock);
    }
    return leftover;
}
