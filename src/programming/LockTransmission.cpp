#include "programming/LockTransmission.h"

#include <algorithm>

int CLockTransmission::StepCount(int length) {
    return 8 * std::clamp(length, 0, kImageSize) + 4;
}

int CLockTransmission::BlockingStepTime(int k, int steps) {
    if (k <= 0)
        return 0;
    if (k == 1)
        return 20;
    // From step 2 on, every step is 50 ms after the one before, the preamble's 100 ms of
    // quiet after its release and the trailer's short press aside.
    if (k == steps - 1)
        return 120 + 50 * (k - 3) + 2;
    return 120 + 50 * (k - 2);
}

void CLockTransmission::Begin(int length) {
    Stop();
    m_txStep = 0;
    m_txSteps = StepCount(length);
    m_channel = CLockChannel();
    m_lastPress = {};
}

bool CLockTransmission::Start(int length, std::uint32_t intervalMs) {
    Begin(length);
    if (!m_port.StartTimer()) {
        m_txStep = -1;
        m_txSteps = 0;
        return false;
    }
    m_timerSet = true;
    m_intervalUs = 1000 * std::int64_t{intervalMs};
    m_startUs = m_port.NowMicroseconds();
    m_lastSendUs = m_startUs;
    m_port.WakeAt(Due());
    return true;
}

std::int64_t CLockTransmission::Due() const {
    const std::int64_t planned = m_startUs + (m_txStep + 1) * m_intervalUs;
    return std::max(planned, m_lastSendUs + m_intervalUs / 2);
}

void CLockTransmission::Tick() {
    if (!Running())
        return;
    const std::int64_t now = m_port.NowMicroseconds();
    if (now >= Due()) {
        const int k = m_txStep;
        PerformStep(k);
        m_lastSendUs = now;
        m_txStep = k + 1;
        m_port.Progress(k + 1);
        if (!Running()) {
            StopTimer();  // after the trailer's release the timer has nothing left to do
            return;
        }
    }
    m_port.WakeAt(Due());
}

void CLockTransmission::SendBlocking(int length) {
    Begin(length);
    const std::int64_t start = m_port.NowMicroseconds();
    for (int k = 0; k < m_txSteps; ++k) {
        const std::int64_t due = start + 1000 * std::int64_t{BlockingStepTime(k, m_txSteps)};
        const std::int64_t wait = due - m_port.NowMicroseconds();
        if (wait > 0)
            m_port.Sleep(static_cast<int>((wait + 999) / 1000));
        PerformStep(k);
        m_txStep = k + 1;
    }
}

bool CLockTransmission::Stop() {
    StopTimer();
    if (!Running())
        return false;
    if (m_txStep % 2 == 1)
        m_port.SendBatch(m_lastPress, KeyAction::Release);
    m_txStep = m_txSteps;
    return true;
}

void CLockTransmission::StopTimer() {
    if (m_timerSet)
        m_port.StopTimer();
    m_timerSet = false;
}

void CLockTransmission::PerformStep(int k) {
    if (k % 2 == 1) {
        m_port.SendBatch(m_lastPress, KeyAction::Release);
        return;
    }
    const bool trailer = k == m_txSteps - 2;
    if (k == 0) {
        m_lastPress = m_channel.Preamble();
    } else if (trailer) {
        m_lastPress = m_channel.Trailer();
    } else {
        const int byteIndex = (k - 2) / 8;
        const int pair = ((k - 2) / 2) % 4;
        if (pair == 0)
            m_port.ShowCountdown((m_txSteps - k) / 8);
        m_lastPress = m_channel.DataStep(m_image[static_cast<std::size_t>(byteIndex)], pair);
    }
    m_port.SendBatch(m_lastPress, KeyAction::Press);
    if (trailer)
        m_port.ImageSent();
}
