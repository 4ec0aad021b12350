// The key box's side of the lock-LED channel for the emulator: follows the injected lock keys
// as the key box follows its LEDs and rebuilds the image. The low-level hook feeds it.
#pragma once

#include <cstdint>
#include <vector>

class CKeyBoxDecoder {
public:
    // The lock levels that stand when the decoder starts to listen.
    explicit CKeyBoxDecoder(bool caps = false, bool num = false, bool scroll = false);

    // One key event, in the order the hook saw it. A lock toggles on its press, as the host's
    // lock state does; releases and other keys change nothing.
    void OnKey(std::uint16_t vk, bool pressed, std::int64_t timeMs);
    // The caller has seen no lock change for long enough: the last Scroll Lock change was the
    // trailer, and the image ends with the data step before it.
    void Quiet();
    // Forgets the image and waits for the next preamble; the lock levels stay as they stand.
    void Reset();

    bool PreambleSeen() const { return m_preambleSeen; }
    bool Finished() const { return m_finished; }
    // Whole bytes decoded so far; after Quiet, the image.
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    // After Quiet: the data steps made exactly 43 or 109 bytes.
    bool IsValidImage() const;
    // The time the preamble completed, then the time of every Scroll Lock change after it.
    const std::vector<std::int64_t>& ScrollChangeTimes() const { return m_scrollTimes; }

    bool CapsOn() const { return m_caps; }
    bool NumOn() const { return m_num; }
    bool ScrollOn() const { return m_scroll; }

private:
    void TakePair();

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
