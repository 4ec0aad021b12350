#include "keybox/KeyBoxDecoder.h"

namespace {

constexpr std::uint16_t kCaps = 0x14;
constexpr std::uint16_t kNum = 0x90;
constexpr std::uint16_t kScroll = 0x91;

}  // namespace

CKeyBoxDecoder::CKeyBoxDecoder(bool caps, bool num, bool scroll)
    : m_caps(caps), m_num(num), m_scroll(scroll) {}

void CKeyBoxDecoder::OnKey(std::uint16_t vk, bool pressed, std::int64_t timeMs) {
    if (!pressed) {
        return;
    }
    switch (vk) {
        case kCaps:
            m_caps = !m_caps;
            break;
        case kNum:
            m_num = !m_num;
            break;
        case kScroll:
            m_scroll = !m_scroll;
            break;
        default:
            return;
    }
    if (m_finished) {
        return;
    }
    if (!m_preambleSeen) {
        if (m_caps && m_num && m_scroll) {
            m_preambleSeen = true;
            m_scrollTimes.push_back(timeMs);
        }
        return;
    }
    if (vk != kScroll) {
        return;
    }
    // The batch puts Scroll Lock first, so the data LEDs still show the previous step's pair.
    if (m_stepOpen) {
        TakePair();
    }
    m_stepOpen = true;
    m_scrollTimes.push_back(timeMs);
}

void CKeyBoxDecoder::TakePair() {
    m_partial = static_cast<std::uint8_t>((m_partial << 2) | (m_caps ? 2 : 0) | (m_num ? 1 : 0));
    if (++m_pairs % 4 == 0) {
        m_bytes.push_back(m_partial);
        m_partial = 0;
    }
}

void CKeyBoxDecoder::Quiet() {
    if (m_preambleSeen) {
        m_finished = true;  // the open step was the trailer: it carries no pair
    }
}

void CKeyBoxDecoder::Reset() {
    m_preambleSeen = false;
    m_finished = false;
    m_stepOpen = false;
    m_pairs = 0;
    m_partial = 0;
    m_bytes.clear();
    m_scrollTimes.clear();
}

bool CKeyBoxDecoder::IsValidImage() const {
    return m_finished && m_pairs % 4 == 0 && (m_bytes.size() == 43 || m_bytes.size() == 109);
}
