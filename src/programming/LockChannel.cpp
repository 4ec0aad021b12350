#include "programming/LockChannel.h"

KeyBatch CLockChannel::Preamble() {
    KeyBatch batch;
    batch.Add(kVkCapsLock);
    batch.Add(kVkNumLock);
    batch.Add(kVkScrollLock);
    m_caps = true;
    m_num = true;
    return batch;
}

KeyBatch CLockChannel::DataStep(std::uint8_t byte, int pair) {
    const unsigned mask = 0x80u >> (2 * (pair & 3));
    const bool first = (byte & mask) != 0;
    const bool second = (byte & (mask >> 1)) != 0;
    KeyBatch batch;
    batch.Add(kVkScrollLock);
    if (first != m_caps) {
        batch.Add(kVkCapsLock);
        m_caps = first;
    }
    if (second != m_num) {
        batch.Add(kVkNumLock);
        m_num = second;
    }
    return batch;
}

KeyBatch CLockChannel::Trailer() {
    KeyBatch batch;
    batch.Add(kVkScrollLock);
    if (m_num) {
        batch.Add(kVkNumLock);
        m_num = false;
    }
    if (m_caps) {
        batch.Add(kVkCapsLock);
        m_caps = false;
    }
    return batch;
}
