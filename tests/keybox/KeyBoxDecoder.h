// The key box's side of the lock-LED channel for the emulator: follows the injected lock keys
// as the key box follows its LEDs and rebuilds the image. The low-level hook feeds it.
#pragma once

#include <cstdint>
#include <vector>

class CKeyBoxDecoder {
public:
    // The lock levels that stand when the decoder starts to listen.
    explicit CKeyBoxDecoder(bool caps = false, bool num = false, bool scroll = false)
        : m_caps(caps), m_num(num), m_scroll(scroll) {}

    // One key event, in the order the hook saw it. A lock (0x14 Caps, 0x90 Num, 0x91 Scroll)
    // toggles on its press, as the host's lock state does; releases and other keys change
    // nothing. The preamble turns all three on; then every Scroll Lock change opens a data
    // step, and the one after it shows the step's pair on Caps (high bit) and Num (low bit).
    void OnKey(std::uint16_t vk, bool pressed, std::int64_t timeMs) {
        bool* lock = vk == 0x14 ? &m_caps : vk == 0x90 ? &m_num : vk == 0x91 ? &m_scroll : nullptr;
        if (!pressed || lock == nullptr)
            return;
        *lock = !*lock;
        if (m_finished || (m_preambleSeen && vk != 0x91))
            return;
        if (!m_preambleSeen) {
            m_preambleSeen = m_caps && m_num && m_scroll;
            if (m_preambleSeen)
                m_scrollTimes.push_back(timeMs);
            return;
        }
        // The batch puts Scroll Lock first, so the data LEDs still show the previous step's pair.
        if (m_stepOpen) {
            m_partial =
                static_cast<std::uint8_t>(m_partial << 2 | (m_caps ? 2 : 0) | (m_num ? 1 : 0));
            if (++m_pairs % 4 == 0)
                m_bytes.push_back(m_partial);
        }
        m_stepOpen = true;
        m_scrollTimes.push_back(timeMs);
    }
    // The caller has seen no lock change for long enough: the last Scroll Lock change was the
    // trailer, which carries no pair, and the image ends with the data step before it.
    void Quiet() { m_finished = m_preambleSeen; }
    // Forgets the image and waits for the next preamble; the lock levels stay as they stand.
    void Reset() { *this = CKeyBoxDecoder(m_caps, m_num, m_scroll); }

    bool PreambleSeen() const { return m_preambleSeen; }
    // Whole bytes decoded so far; after Quiet, the image.
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    // After Quiet: the data steps made exactly 43 or 109 bytes.
    bool IsValidImage() const {
        return m_finished && m_pairs % 4 == 0 && (m_bytes.size() == 43 || m_bytes.size() == 109);
    }
    // The time the preamble completed, then the time of every Scroll Lock change after it.
    const std::vector<std::int64_t>& ScrollChangeTimes() const { return m_scrollTimes; }

private:
    bool m_caps;
    bool m_num;
    bool m_scroll;
    bool m_preambleSeen = false;
    bool m_finished = false;
    bool m_stepOpen = false;  // a Scroll Lock change whose pair the next change will show
    int m_pairs = 0;
    std::uint8_t m_partial = 0;
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::int64_t> m_scrollTimes;
};
