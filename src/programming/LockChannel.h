// The lock-LED channel's encoder: which lock keys each step presses. Scroll Lock is the clock;
// after each data step Caps Lock and Num Lock stand at the two bits of the pair it carries.
#pragma once

#include <cstdint>

#include "programming/KeyBatch.h"

class CLockChannel {
public:
    // All three locks on: the key box's sign that an image follows.
    KeyBatch Preamble();
    // One bit pair of a byte, pair 0 = bits 7/6 ... pair 3 = bits 1/0. Scroll Lock always
    // toggles, a data lock only when its LED does not already show its bit.
    KeyBatch DataStep(std::uint8_t byte, int pair);
    // One more Scroll Lock change that also turns the data locks off, so the host's lock
    // states end as they began.
    KeyBatch Trailer();

    bool CapsOn() const { return m_caps; }
    bool NumOn() const { return m_num; }

private:
    bool m_caps = false;
    bool m_num = false;
};
