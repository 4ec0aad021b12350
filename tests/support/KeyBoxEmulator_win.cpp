#include "support/KeyBoxEmulator_win.h"

#include <future>
#include <utility>

#include "gui/GuiDriver.h"
#include "programming/AckLetter.h"

// The emulator whose hook runs on this thread; a hook procedure carries no context of its own.
static thread_local CKeyBoxEmulator* t_emulator = nullptr;

bool CKeyBoxEmulator::Start() {
    {
        std::lock_guard lock(m_mutex);
        m_decoder.Restart(gui::LockOn(VK_CAPITAL), gui::LockOn(VK_NUMLOCK), gui::LockOn(VK_SCROLL));
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
        if (hook == nullptr)
            return;
        // The hook is called while the thread takes its messages; it runs until Stop posts
        // WM_QUIT, and ends an image when the channel has been quiet long enough.
        for (msg.message = 0; msg.message != WM_QUIT;) {
            const DWORD wait = QuietWait();
            if (wait == 0)
                FinishImage();
            else if (::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0)
                while (msg.message != WM_QUIT && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                    ::DispatchMessageW(&msg);
        }
        ::UnhookWindowsHookEx(hook);
        t_emulator = nullptr;
    });
    if (!ready.get())
        m_thread.join();
    return m_thread.joinable();
}

void CKeyBoxEmulator::Stop() {
    if (!m_thread.joinable())
        return;
    ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
}

bool CKeyBoxEmulator::WaitForImages(int count, DWORD timeoutMs) {
    return gui::WaitUntil([&] { return static_cast<int>(Images().size()) >= count; }, timeoutMs);
}

std::vector<CKeyBoxEmulator::Image> CKeyBoxEmulator::Images() const {
    std::lock_guard lock(m_mutex);
    return m_images;
}

std::vector<CKeyBoxEmulator::LockEvent> CKeyBoxEmulator::LockEvents() const {
    std::lock_guard lock(m_mutex);
    return m_events;
}

LRESULT CALLBACK CKeyBoxEmulator::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && t_emulator != nullptr &&
        (key->vkCode == VK_CAPITAL || key->vkCode == VK_NUMLOCK || key->vkCode == VK_SCROLL))
        t_emulator->OnLockKey(*key);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CKeyBoxEmulator::OnLockKey(const KBDLLHOOKSTRUCT& key) {
    std::lock_guard lock(m_mutex);
    // The key box sees a change when it happens: the time is taken here, when the hook is
    // called, from the performance counter.
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    const LockEvent event{static_cast<std::uint16_t>(key.vkCode), (key.flags & LLKHF_UP) == 0,
                          now.QuadPart * 1000 / frequency.QuadPart};
    m_events.push_back(event);
    m_lastLockTick = ::GetTickCount64();
    m_decoder.OnKey(event.vk, event.pressed, event.timeMs);
}

DWORD CKeyBoxEmulator::QuietWait() const {
    std::lock_guard lock(m_mutex);
    if (!m_decoder.preambleSeen)
        return INFINITE;
    const ULONGLONG since = ::GetTickCount64() - m_lastLockTick;
    return since >= m_quietMs ? 0 : static_cast<DWORD>(m_quietMs - since);
}

void CKeyBoxEmulator::FinishImage() {
    Image image;
    {
        std::lock_guard lock(m_mutex);
        image = std::move(m_decoder.image);
        image.valid =
            m_decoder.pairs % 4 == 0 && (image.bytes.size() == 43 || image.bytes.size() == 109);
        // The key box listens for the next preamble at once; the lock levels stay.
        m_decoder.Restart(m_decoder.caps, m_decoder.num, m_decoder.scroll);
    }
    // Only a whole image is answered: a key box that lost a step keeps silent. A wrong
    // answer is the letter after the right one.
    const Answer answer = m_answer;
    if (image.valid && answer != Answer::None) {
        const int right =
            ComputeAckLetter(image.bytes.data(), static_cast<int>(image.bytes.size()));
        image.typedLetter = answer == Answer::Right ? right : 'a' + (right - 'a' + 1) % 16;
    }
    // The key box is a keyboard: it types the letter's key. With the locks off (the
    // trailer leaves them so) that reaches the focused window in lower case.
    const auto key = static_cast<WORD>('A' + (image.typedLetter - 'a'));
    if (image.typedLetter != 0 && m_answerWindow.load() != nullptr)
        ::PostMessageW(m_answerWindow, WM_KEYDOWN, key, 1);
    else if (image.typedLetter != 0)
        gui::TypeKey(key);
    std::lock_guard lock(m_mutex);
    m_images.push_back(std::move(image));
}

// A lock toggles on its press, as the host's lock state does; a release changes nothing. The
// preamble turns all three locks on; then every Scroll Lock change opens a data step, and the
// next one shows the step's pair on Caps (high bit) and Num (low bit): the batch puts Scroll
// Lock first, so the data LEDs still show the previous step's pair. The last change, the
// trailer, carries no pair.
void CKeyBoxEmulator::Decoder::OnKey(DWORD vk, bool pressed, std::int64_t timeMs) {
    bool* lock = vk == VK_CAPITAL ? &caps : vk == VK_NUMLOCK ? &num : &scroll;
    if (!pressed)
        return;
    *lock = !*lock;
    if (!preambleSeen) {
        preambleSeen = caps && num && scroll;
        if (preambleSeen)
            image.scrollTimes.push_back(timeMs);
        return;
    }
    if (vk != VK_SCROLL)
        return;
    if (stepOpen) {
        partial = static_cast<std::uint8_t>(partial << 2 | (caps ? 2 : 0) | (num ? 1 : 0));
        if (++pairs % 4 == 0)
            image.bytes.push_back(partial);
    }
    stepOpen = true;
    image.scrollTimes.push_back(timeMs);
}
