// What a key box is configured with, as the main dialog's fields hold it. It is the one form in
// which a configuration passes between the dialog, the stored settings, configuration files,
// the write command and the production log.
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kSlotCount = 48;  // key-event slots: two per contact, 24 contacts

using SlotTexts = std::array<std::wstring, kSlotCount>;  // the texts of the slot fields

struct Configuration {
    std::int32_t serial = 0;
    std::int32_t contacts = 4;  // may lie outside 1..24 when it came from the registry
    std::uint32_t bounceTime = 10;
    std::uint32_t speed = 50;  // programming speed: the transmission's step interval in ms
    bool protectedFlag = false;
    std::wstring repeatText;  // key-repeat mask as hex text
    SlotTexts slots;          // each slot's key code word as hex text

    bool operator==(const Configuration&) const = default;
};
