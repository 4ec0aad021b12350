#include "programming/BlockingTransmitter.h"

#include "programming/AckLetter.h"
#include "programming/LockChannel.h"

namespace {

// The data locks stand still for one whole step (pressed plus released) before the next
// Scroll Lock change, which gives the key box 100 ms to sample them.
constexpr int kPreamblePressMs = 20;
constexpr int kPreambleReleaseMs = 100;
constexpr int kDataPressMs = 50;
constexpr int kDataReleaseMs = 50;
constexpr int kTrailerPressMs = 2;

}  // namespace

int CBlockingTransmitter::SendImage(const std::uint8_t* image, int length) {
    CLockChannel channel;

    const KeyBatch preamble = channel.Preamble();
    SendBatch(preamble, KeyAction::Press);
    Pause(kPreamblePressMs);
    SendBatch(preamble, KeyAction::Release);
    Pause(kPreambleReleaseMs);

    for (int i = 0; i < length; ++i) {
        ShowCountdown(length - i);
        for (int pair = 0; pair < 4; ++pair) {
            const KeyBatch step = channel.DataStep(image[i], pair);
            SendBatch(step, KeyAction::Press);
            Pause(kDataPressMs);
            SendBatch(step, KeyAction::Release);
            Pause(kDataReleaseMs);
        }
    }

    const KeyBatch trailer = channel.Trailer();
    SendBatch(trailer, KeyAction::Press);
    Pause(kTrailerPressMs);
    SendBatch(trailer, KeyAction::Release);

    const int letter = ComputeAckLetter(image, length);
    SetExpectedAck(letter);
    ClearFeedback();
    ResetSlot();
    return letter;
}
