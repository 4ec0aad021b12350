// A key batch: the one to three lock-key records the lock-LED channel hands to one SendInput
// call. The same records go out as a press and then as a release; a lock toggles on the press.
#pragma once

#include <array>
#include <cstdint>

// Virtual-key codes of the three locks whose LEDs the key box reads.
inline constexpr std::uint16_t kVkCapsLock = 0x14;
inline constexpr std::uint16_t kVkNumLock = 0x90;
inline constexpr std::uint16_t kVkScrollLock = 0x91;

enum class KeyAction : std::uint8_t { Press, Release };

struct KeyBatch {
    std::array<std::uint16_t, 3> keys{};  // virtual keys in sending order; unused entries 0
    int count = 0;

    void Add(std::uint16_t vk) { keys[static_cast<std::size_t>(count++)] = vk; }
    bool operator==(const KeyBatch&) const = default;
};

// The lock keys that `pick` selects, in the order the trailer turns them off.
template <typename Pick>
KeyBatch LockKeysWhere(Pick pick) {
    KeyBatch batch;
    for (std::uint16_t vk : {kVkScrollLock, kVkNumLock, kVkCapsLock}) {
        if (pick(vk))
            batch.Add(vk);
    }
    return batch;
}
