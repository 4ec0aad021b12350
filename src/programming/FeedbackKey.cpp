#include "programming/FeedbackKey.h"

#include <utility>

#include "keycodes/VirtualKeyNames.h"
#include "programming/KeyBatch.h"

namespace {

constexpr unsigned kKeyDown = 0x0100;
constexpr unsigned kKeyUp = 0x0101;
constexpr unsigned kSysKeyDown = 0x0104;
constexpr unsigned kSysKeyUp = 0x0105;

constexpr std::uint32_t kVkShift = 0x10;

std::wstring_view KeyName(std::uint32_t vk) {
    return g_virtualKeyNames[vk >= 1 && vk <= 255 ? vk : 0];
}

FeedbackDecision Consume() {
    FeedbackDecision decision;
    decision.action = FeedbackAction::Consume;
    return decision;
}

FeedbackDecision Echo(std::wstring text, bool acknowledged = false) {
    return {FeedbackAction::Echo, std::move(text) + L" ", acknowledged};
}

FeedbackDecision KeyDown(std::uint32_t vk, bool& awaitAck, int expectedAck, HeldKeys held) {
    std::wstring text(KeyName(vk));
    bool acknowledged = false;
    if (awaitAck) {
        if (vk == kVkCapsLock || vk == kVkNumLock || vk == kVkScrollLock)
            return Consume();  // lock keys work the channel and are never the answer
        awaitAck = false;
        // The key box types a lower-case letter; 0x20 folds the letter keys onto it.
        if (static_cast<int>(vk | 0x20) == expectedAck) {
            text = kProgrammingOk;
            acknowledged = true;
        }
    }
    if (vk == kVkShift)
        return {};
    if (text.size() > 1)
        return Echo((held.shift ? L"SHIFT " : L"") + text, acknowledged);
    // Letters, digits and punctuation type themselves, except Ctrl with A..X.
    if (held.ctrl && vk >= 0x41 && vk <= 0x58)
        return Echo(text);
    return {};
}

}  // namespace

FeedbackDecision DecideFeedbackKey(unsigned message, std::uint32_t vk, bool& awaitAck,
                                   int expectedAck, HeldKeys held) {
    switch (message) {
        case kKeyDown:
            return KeyDown(vk, awaitAck, expectedAck, held);
        case kKeyUp:
            return Consume();
        case kSysKeyDown:
            // While a letter is awaited, Alt and F10 keep their usual meaning.
            if (awaitAck)
                return {};
            return Echo(std::wstring(KeyName(vk)));
        case kSysKeyUp:
            return Consume();
        default:
            return {};
    }
}
