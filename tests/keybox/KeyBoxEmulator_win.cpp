#include "keybox/KeyBoxEmulator_win.h"

#include <future>
#include <utility>

#include "keybox/KeyBoxLetter.h"
#include "win/GuiDriver.h"

namespace {

// The emulator whose hook runs on this thread; a hook procedure carries no context of its own.
thread_local CKeyBoxEmulator* t_emulator = nullptr;

bool IsLockKey(DWORD vk) {
    return vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL;
}

bool Toggled(int vk) {
    return (::GetKeyState(vk) & 1) != 0;
}

}  // namespace

CKeyBoxEmulator::CKeyBoxEmulator() = default;

CKeyBoxEmulator::~CKeyBoxEmulator() {
    Stop();
}

bool CKeyBoxEmulator::Start() {
    if (m_thread.joinable()) {
        return true;
    }
    {
        std::lock_guard lock(m_mutex);
        m_decoder = CKeyBoxDecoder(Toggled(VK_CAPITAL), Toggled(VK_NUMLOCK), Toggled(VK_SCROLL));
        m_images.clear();
        m_events.clear();
    }
    std::promise<bool> hooked;
    std::future<bool> ready = hooked.get_future();
    m_thread = std::thread([this, &hooked] {
        MSG msg;
        // The thread needs its message queue before Stop can post to it and before the
        // system can call the hook.
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        m_threadId = ::GetCurrentThreadId();
        t_emulator = this;
        HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, HookProc, ::GetModuleHandleW(nullptr), 0);
        hooked.set_value(hook != nullptr);
        if (hook == nullptr) {
            return;
        }
        for (;;) {
            const DWORD wait = QuietWait();
            if (wait == 0) {
                FinishImage();
                continue;
            }
            if (::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
                WAIT_OBJECT_0) {
                continue;
            }
            bool quit = false;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    quit = true;
                    break;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (quit) {
                break;
            }
        }
        ::UnhookWindowsHookEx(hook);
        t_emulator = nullptr;
    });
    if (!ready.get()) {
        m_thread.join();
        return false;
    }
    return true;
}

void CKeyBoxEmulator::Stop() {
    if (!m_thread.joinable()) {
        return;
    }
    ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
}

LRESULT CALLBACK CKeyBoxEmulator::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && t_emulator != nullptr) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (IsLockKey(key.vkCode)) {
            t_emulator->OnLockKey(key);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CKeyBoxEmulator::OnLockKey(const KBDLLHOOKSTRUCT& key) {
    std::lock_guard lock(m_mutex);
    // The key box sees a change when it happens: the time is taken here, when the hook is
    // called, from the performance counter.
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    m_lastTime = now.QuadPart * 1000 / frequency.QuadPart;

    LockEvent event;
    event.vk = static_cast<std::uint16_t>(key.vkCode);
    event.pressed = (key.flags & LLKHF_UP) == 0;
    event.timeMs = m_lastTime;
    m_events.push_back(event);
    m_lastLockTick = ::GetTickCount64();
    m_decoder.OnKey(event.vk, event.pressed, event.timeMs);
}

DWORD CKeyBoxEmulator::QuietWait() const {
    std::lock_guard lock(m_mutex);
    if (!m_decoder.PreambleSeen()) {
        return INFINITE;
    }
    const ULONGLONG quiet = m_quietMs.load();
    const ULONGLONG since = ::GetTickCount64() - m_lastLockTick;
    return since >= quiet ? 0 : static_cast<DWORD>(quiet - since);
}

void CKeyBoxEmulator::FinishImage() {
    Image image;
    {
        std::lock_guard lock(m_mutex);
        m_decoder.Quiet();
        image.bytes = m_decoder.Bytes();
        image.valid = m_decoder.IsValidImage();
        image.scrollTimes = m_decoder.ScrollChangeTimes();
        // The key box listens for the next preamble at once; the lock levels stay.
        m_decoder.Reset();
    }
    // Only a whole image is answered: a key box that lost a step keeps silent.
    if (image.valid) {
        image.rightLetter = KeyBoxLetter(image.bytes);
        switch (m_answer.load()) {
            case Answer::Right:
                image.typedLetter = image.rightLetter;
                break;
            case Answer::Wrong:
                image.typedLetter = KeyBoxWrongLetter(image.rightLetter);
                break;
            case Answer::None:
                break;
        }
    }
    if (image.typedLetter != 0) {
        TypeLetter(image.typedLetter);
    }
    {
        std::lock_guard lock(m_mutex);
        m_images.push_back(std::move(image));
    }
}

void CKeyBoxEmulator::TypeLetter(int letter) {
    // The key box is a keyboard: it reports the letter's key, pressed and then released. With
    // the locks off (the trailer leaves them so) that reaches the focused window in lower case.
    INPUT records[2] = {};
    for (INPUT& record : records) {
        record.type = INPUT_KEYBOARD;
        record.ki.wVk = static_cast<WORD>('A' + (letter - 'a'));
    }
    records[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, records, sizeof(INPUT));
}

bool CKeyBoxEmulator::WaitForImages(int count, DWORD timeoutMs) {
    return gui::WaitUntil(
        [&] {
            std::lock_guard lock(m_mutex);
            return static_cast<int>(m_images.size()) >= count;
        },
        timeoutMs);
}

std::vector<CKeyBoxEmulator::Image> CKeyBoxEmulator::Images() const {
    std::lock_guard lock(m_mutex);
    return m_images;
}

std::vector<CKeyBoxEmulator::LockEvent> CKeyBoxEmulator::LockEvents() const {
    std::lock_guard lock(m_mutex);
    return m_events;
}
