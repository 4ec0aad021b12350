// A key box on the bench, in-process: a low-level keyboard hook on a thread of its own follows
// every Caps/Num/Scroll Lock press as the key box follows its LEDs, rebuilds the image and
// types its acknowledgement letter back with SendInput, as the real key box would.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "programming/AckLetter.h"
#include "gui/GuiDriver.h"

class CKeyBoxEmulator {
public:
    // What the key box types when an image has arrived.
    enum class Answer { Right, Wrong, None };

    struct LockEvent {
        std::uint16_t vk = 0;  // 0x14 Caps, 0x90 Num, 0x91 Scroll
        bool pressed = false;
        std::int64_t timeMs = 0;  // when the hook saw the event, in ms
    };

    struct Image {
        std::vector<std::uint8_t> bytes;  // every whole byte the data steps carried
        bool valid = false;               // exactly 43 or 109 bytes
        int typedLetter = 0;              // the letter typed back; 0 when none was typed
        // When the preamble completed, then every Scroll Lock change up to the trailer.
        std::vector<std::int64_t> scrollTimes;
    };

    CKeyBoxEmulator() = default;
    ~CKeyBoxEmulator() { Stop(); }
    CKeyBoxEmulator(const CKeyBoxEmulator&) = delete;
    CKeyBoxEmulator& operator=(const CKeyBoxEmulator&) = delete;

    // Starts listening, with nothing recorded. The key box must know the lock levels that
    // stand now: they are read from the calling thread's key state (so turn the locks off and
    // let that thread see it first). False when the hook could not be installed.
    bool Start() {
        {
            std::lock_guard lock(m_mutex);
            m_decoder.Restart(gui::LockOn(VK_CAPITAL), gui::LockOn(VK_NUMLOCK),
                              gui::LockOn(VK_SCROLL));
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
            HHOOK hook =
                ::SetWindowsHookExW(WH_KEYBOARD_LL, HookProc, ::GetModuleHandleW(nullptr), 0);
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
    // Unhooks and joins the thread; what was recorded stays readable.
    void Stop() {
        if (!m_thread.joinable())
            return;
        ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }

    // An image ends when no lock key event has come for this long; it must be longer than the
    // longest pause between two lock key events: two timer intervals, 120 ms when blocking.
    void SetQuietTime(DWORD ms) { m_quietMs = ms; }
    // Takes effect for images that end after the call.
    void SetAnswer(Answer answer) { m_answer = answer; }

    // Waits until `count` images have ended since the start and their letters have been
    // typed, keeping the calling thread's messages moving (its timers, its windows). False on
    // timeout.
    bool WaitForImages(int count, DWORD timeoutMs) {
        return gui::WaitUntil([&] { return static_cast<int>(Images().size()) >= count; },
                              timeoutMs);
    }
    bool WaitForImage(DWORD timeoutMs) { return WaitForImages(1, timeoutMs); }

    std::vector<Image> Images() const {
        std::lock_guard lock(m_mutex);
        return m_images;
    }
    std::vector<LockEvent> LockEvents() const {  // every lock key press and release
        std::lock_guard lock(m_mutex);
        return m_events;
    }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (code == HC_ACTION && t_emulator != nullptr &&
            (key->vkCode == VK_CAPITAL || key->vkCode == VK_NUMLOCK || key->vkCode == VK_SCROLL))
            t_emulator->OnLockKey(*key);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void OnLockKey(const KBDLLHOOKSTRUCT& key) {
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

    // INFINITE while no image is under way; 0 when it has ended.
    DWORD QuietWait() const {
        std::lock_guard lock(m_mutex);
        if (!m_decoder.preambleSeen)
            return INFINITE;
        const ULONGLONG since = ::GetTickCount64() - m_lastLockTick;
        return since >= m_quietMs ? 0 : static_cast<DWORD>(m_quietMs - since);
    }

    void FinishImage() {
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
        if (image.typedLetter != 0)
            gui::TypeKey(static_cast<WORD>('A' + (image.typedLetter - 'a')));
        std::lock_guard lock(m_mutex);
        m_images.push_back(std::move(image));
    }

    // The key box's side of the channel. A lock toggles on its press, as the host's lock state
    // does; a release changes nothing. The preamble turns all three locks on; then every Scroll
    // Lock change opens a data step, and the next one shows the step's pair on Caps (high bit)
    // and Num (low bit): the batch puts Scroll Lock first, so the data LEDs still show the
    // previous step's pair. The last change, the trailer, carries no pair.
    struct Decoder {
        bool caps = false, num = false, scroll = false;  // the lock levels
        bool preambleSeen = false, stepOpen = false;
        int pairs = 0;
        std::uint8_t partial = 0;
        Image image;  // the whole bytes and the Scroll Lock times so far

        // Listens for the next preamble, with the lock levels that stand.
        void Restart(bool capsOn, bool numOn, bool scrollOn) {
            *this = Decoder();
            caps = capsOn, num = numOn, scroll = scrollOn;
        }

        void OnKey(DWORD vk, bool pressed, std::int64_t timeMs) {
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
    };

    // The emulator whose hook runs on this thread; a hook procedure carries no context of its
    // own.
    static inline thread_local CKeyBoxEmulator* t_emulator = nullptr;

    std::atomic<DWORD> m_quietMs{600};
    std::atomic<Answer> m_answer{Answer::Right};

    mutable std::mutex m_mutex;
    Decoder m_decoder;
    std::vector<Image> m_images;
    std::vector<LockEvent> m_events;
    ULONGLONG m_lastLockTick = 0;  // GetTickCount64 at the last lock key event

    std::thread m_thread;
    DWORD m_threadId = 0;
};
