#include "programming/LedTransmitter_win.h"

#include <windows.h>

#include "programming/KeySender_win.h"

bool CLedTransmitter::Stop() {
    if (!m_transmission.Stop())
        return false;
    // Every lock off and no lock key down, judged by the keyboard's state, so a lock the user
    // toggled meanwhile counts too. That state follows the key messages as this thread takes
    // them: take the queued ones first.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    const KeyBatch down = LockKeysWhere([](int vk) { return (::GetKeyState(vk) & 0x8000) != 0; });
    const KeyBatch on = LockKeysWhere([](int vk) { return (::GetKeyState(vk) & 1) != 0; });
    SendKeyBatch(down, KeyAction::Release);
    SendKeyBatch(on, KeyAction::Press);
    SendKeyBatch(on, KeyAction::Release);
    return true;
}

void CLedTransmitter::TransmitStep(void* transmitter) {
    static_cast<CLedTransmitter*>(transmitter)->m_transmission.Tick();
}

void CLedTransmitter::SendBatch(const KeyBatch& batch, KeyAction action) {
    SendKeyBatch(batch, action);
}

bool CLedTransmitter::StartTimer() {
    return m_timer.Start(TransmitStep, this);
}

void CLedTransmitter::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}
