#include "keycodes/KeyCodeWord.h"

#include <cassert>

namespace {

// The list skips the usages 0xA5..0xDF, so the modifier keys follow 0xA4 directly.
constexpr int kFirstModifierIndex = 165;
constexpr int kLastListIndex = 172;
constexpr int kModifierUsageGap = 0xE0 - kFirstModifierIndex;

}  // namespace

std::uint16_t ComposeKeyCodeWord(std::uint8_t usage, bool ctrl, bool shift, bool alt, bool gui) {
    std::uint16_t word = usage;
    if (ctrl)
        word |= KC_CTRL;
    if (shift)
        word |= KC_SHIFT;
    if (alt)
        word |= KC_ALT;
    if (gui)
        word |= KC_GUI;
    return word;
}

std::uint8_t UsageFromListIndex(int index) {
    assert(index >= 0 && index <= kLastListIndex);
    if (index < kFirstModifierIndex)
        return static_cast<std::uint8_t>(index);
    return static_cast<std::uint8_t>(index + kModifierUsageGap);
}

int ListIndexFromUsage(std::uint8_t usage) {
    if (usage < kFirstModifierIndex)
        return usage;
    if (usage >= kFirstModifierIndex + kModifierUsageGap &&
        usage <= kLastListIndex + kModifierUsageGap) {
        return usage - kModifierUsageGap;
    }
    return -1;
}
