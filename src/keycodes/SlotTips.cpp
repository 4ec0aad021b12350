#include "keycodes/SlotTips.h"

#include <algorithm>

#include "keycodes/HidKeyNames.h"
#include "keycodes/KeyCodeWord.h"
#include "keycodes/KeycodeChooser.h"
#include "text/HexText.h"

namespace {

// The name the chooser's list gives the usage.
std::wstring KeyName(std::uint8_t usage) {
    if (const int index = ListIndexFromUsage(usage); index >= 0)
        return std::wstring(g_hidKeyNames[static_cast<size_t>(index)]);
    return L"no key (usage 0x" + FormatHexText(usage) + L")";
}

}  // namespace

std::wstring KeyCodeWords(std::uint16_t word) {
    static constexpr struct {
        std::uint16_t bit;
        const wchar_t* name;
    } kModifiers[] = {{KC_CTRL, L"Ctrl"}, {KC_SHIFT, L"Shift"}, {KC_ALT, L"Alt"}, {KC_GUI, L"GUI"}};
    std::wstring words;
    for (const auto& modifier : kModifiers) {
        if ((word & modifier.bit) != 0)
            words += words.empty() ? modifier.name : std::wstring(L" + ") + modifier.name;
    }
    const auto usage = static_cast<std::uint8_t>(word & 0xFF);
    if (usage != 0 || words.empty())
        words += (words.empty() ? L"" : L" + ") + (usage == 0 ? L"nothing" : KeyName(usage));
    if (const std::uint16_t other = word & 0xF000)
        words += L" (other bits 0x" + FormatHexText(other) + L")";
    return words;
}

std::wstring SlotTip(int slot, std::wstring_view text, std::int32_t contacts) {
    // An image keeps the low 16 bits of what the text reads as.
    std::wstring tip = SlotLabel(slot) + L": " +
                       KeyCodeWords(static_cast<std::uint16_t>(ParseHexText(text) & 0xFFFF));
    if ((slot >> 1) >= contacts)
        tip += L" (not sent: " + std::to_wstring(contacts) + L" contacts)";
    return tip;
}

std::wstring RepeatTip(std::wstring_view text, std::int32_t contacts) {
    const std::uint32_t mask = text.empty() ? 0 : ParseHexText(text);
    std::wstring keys;
    int count = 0;
    for (int key = 1; key <= std::clamp(contacts, 0, 24); ++key) {
        if ((mask >> (key - 1) & 1) != 0)
            keys += (count++ == 0 ? L"" : L", ") + std::to_wstring(key);
    }
    if (count == 0)
        return L"no key repeats";
    return (count == 1 ? L"repeats: key " : L"repeats: keys ") + keys;
}
