// Sends a whole image over the lock LEDs in one call, holding the thread with fixed pauses.
// The dialog derives from this class and supplies the platform operations.
#pragma once

#include <cstdint>

#include "programming/KeyBatch.h"

class CBlockingTransmitter {
public:
    virtual ~CBlockingTransmitter() = default;

    // Preamble, four data steps per byte with the byte countdown in the feedback field,
    // trailer; then the expected letter is handed over, the feedback field emptied and the
    // current slot reset. Returns the expected acknowledgement letter.
    int SendImage(const std::uint8_t* image, int length);

protected:
    virtual void SendBatch(const KeyBatch& batch, KeyAction action) = 0;  // one SendInput
    virtual void Pause(int milliseconds) = 0;                             // Sleep
    virtual void ShowCountdown(int bytesLeft) = 0;  // feedback field replaced by the number
    virtual void SetExpectedAck(int letter) = 0;    // m_expectedAck
    virtual void ClearFeedback() = 0;               // feedback field emptied
    virtual void ResetSlot() = 0;                   // m_slot = 0
};
