// A key batch as letters, so a test can state the channel's batches at a glance.
#pragma once

#include <cstddef>
#include <string>

#include "programming/KeyBatch.h"

// C, N and S for Caps Lock, Num Lock and Scroll Lock, in sending order.
inline std::string Keys(const KeyBatch& batch) {
    std::string text;
    for (int i = 0; i < batch.count; ++i) {
        const std::uint16_t vk = batch.keys[static_cast<std::size_t>(i)];
        text += vk == kVkCapsLock ? 'C' : vk == kVkNumLock ? 'N' : vk == kVkScrollLock ? 'S' : '?';
    }
    return text;
}
