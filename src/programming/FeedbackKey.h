// What the main dialog does with a key message while the feedback field has the focus: the
// key box's acknowledgement letter after a write, and otherwise a key monitor that writes the
// names of the keys into the field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text that confirms a write; the echo adds one more blank.
inline constexpr std::wstring_view kProgrammingOk = L"programming ok      ";

// Shift and Ctrl as the keyboard holds them when the key message comes, wherever the focus was
// when they went down or up.
struct HeldKeys {
    bool shift = false;
    bool ctrl = false;
};

enum class FeedbackAction {
    PassOn,   // the dialog's own handling: navigation, and the field types the character
    Consume,  // neither translated nor dispatched
    Echo,     // `text` replaces the field's selection, then the bound fields are reloaded
};

struct FeedbackDecision {
    FeedbackAction action = FeedbackAction::PassOn;
    std::wstring text;
    bool acknowledged = false;  // the expected letter came: the serial number goes up first

    bool operator==(const FeedbackDecision&) const = default;
};

// message: WM_KEYDOWN..0x0109; vk: its wParam. While awaitAck is set, the lock keys of the
// transmission are swallowed and the first other key-down ends the wait (clears awaitAck),
// matching when (vk | 0x20) == expectedAck.
FeedbackDecision DecideFeedbackKey(unsigned message, std::uint32_t vk, bool& awaitAck,
                                   int expectedAck, HeldKeys held);
