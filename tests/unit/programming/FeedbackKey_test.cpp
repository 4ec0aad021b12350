#include "programming/FeedbackKey.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

// A row's keys, as a short script: "+C" is C's key-down, "-C" its key-up, "s+Alt" and "s-Alt"
// the system forms; "m0102" a message of that number; keys by name or as hexadecimal codes.
std::uint32_t Key(const std::string& name) {
    static const std::map<std::string, std::uint32_t> names = {
        {"Shift", 0x10},  {"Ctrl", 0x11},  {"Alt", 0x12}, {"Caps", 0x14}, {"Num", 0x90},
        {"Scroll", 0x91}, {"Enter", 0x0D}, {"Esc", 0x1B}, {"Tab", 0x09},  {"Back", 0x08},
        {"Space", 0x20},  {"F1", 0x70},    {"F4", 0x73},  {"F10", 0x79}};
    if (const auto it = names.find(name); it != names.end())
        return it->second;
    return name.size() == 1 ? static_cast<std::uint32_t>(name[0]) : std::stoul(name, nullptr, 16);
}

// What the dialog is told to do for each key of the script, separated by "|". Shift and Ctrl
// are held as the script's keys press and release them, as the keyboard holds them.
std::string Outcomes(const std::string& script, bool& awaitAck, int expected, HeldKeys held) {
    std::istringstream keys(script);
    std::string outcomes;
    for (std::string token; keys >> token;) {
        unsigned message = token[0] == '+' ? 0x0100 : 0x0101;
        if (token[0] == 's')
            message = token[1] == '+' ? 0x0104 : 0x0105;
        if (token[0] == 'm')
            message = static_cast<unsigned>(std::stoul(token.substr(1), nullptr, 16));
        const std::uint32_t vk = token[0] == 'm' ? 'C' : Key(token.substr(token[0] == 's' ? 2 : 1));
        const bool down = token.find('+') != std::string::npos;
        held.shift = vk == 0x10 ? down : held.shift;
        held.ctrl = vk == 0x11 ? down : held.ctrl;
        const FeedbackDecision d = DecideFeedbackKey(message, vk, awaitAck, expected, held);
        const std::string text(d.text.begin(), d.text.end());
        outcomes += outcomes.empty() ? "" : "|";
        outcomes += d.action == FeedbackAction::PassOn    ? "pass"
                    : d.action == FeedbackAction::Consume ? "eat"
                    : d.acknowledged                      ? "ack " + text
                                                          : text;
    }
    return outcomes;
}

TEST(FeedbackKey, AcknowledgementAndKeyEcho) {
    const std::string ok = "ack programming ok       ";
    const struct {
        const char* what;
        bool awaitAck;
        int expected;
        bool shiftHeld;
        std::string keys, outcomes;
        bool awaitAfter;
    } rows[] = {
        // clang-format off
        {"the expected letter", true, 'c', false, "+C -C", ok + "|eat", false},
        {"a key folds onto a letter: F1 (0x70) stands for 'p'", true, 'p', false, "+F1", ok, false},
        {"a wrong letter ends the wait and types itself", true, 'd', false, "+C +D", "pass|pass", false},
        {"the transmission's locks are swallowed, the wait goes on", true, 'c', false,
         "+Caps -Caps +Num +Scroll -Scroll", "eat|eat|eat|eat|eat", true},
        {"Shift alone ends the wait", true, 'c', false, "+Shift +C", "pass|pass", false},
        {"Ctrl alone ends the wait", true, 'c', false, "+Ctrl", "CTRL ", false},
        {"system keys take their course during the wait", true, 'c', false,
         "s+Alt s+F4 s-F4 +C", "pass|pass|eat|" + ok, false},
        {"names of keys", false, 'c', false,
         "+Enter +Esc +Tab +Back +Space +F1 +Ctrl -Ctrl +Caps +6D +00 +01 +1FF",
         "return |IME escape |TAB |back |SPACE |F1 |CTRL |eat|CAPS lock |substract |illegal |left button |illegal ",
         false},
        {"Shift+F1 while Shift is down, then F1 alone", false, 0, false,
         "+Shift +F1 -F1 +F1 -Shift +F1", "pass|SHIFT F1 |eat|SHIFT F1 |eat|F1 ", false},
        {"Ctrl+C and Ctrl repeating", false, 0, false, "+Ctrl +Ctrl +C -C +X -Ctrl +C",
         "CTRL |CTRL |c |eat|x |eat|pass", false},
        {"characters the field types itself", false, 0, false,
         "+Shift +A -Shift +Ctrl +A +X +Y +Z +1", "pass|pass|eat|CTRL |a |x |pass|pass|pass", false},
        {"system keys without a wait", false, 0, false, "s+Alt s+F4 s-F4 s-Alt s+F10 s+Shift",
         "MENU |F4 |eat|eat|F10 |SHIFT ", false},
        {"character messages take their course", true, 'c', false,
         "m0102 m0103 m0106 m0107 m0108 m0109", "pass|pass|pass|pass|pass|pass", true},
        // clang-format on
    };
    for (const auto& row : rows) {
        bool awaitAck = row.awaitAck;
        EXPECT_EQ(Outcomes(row.keys, awaitAck, row.expected, {row.shiftHeld, false}), row.outcomes)
            << row.what;
        EXPECT_EQ(awaitAck, row.awaitAfter) << row.what;
    }
}

}  // namespace
