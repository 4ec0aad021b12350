// A key box on the bench, in-process: a low-level keyboard hook on a thread of its own follows
// every Caps/Num/Scroll Lock press as the key box follows its LEDs, rebuilds the image and
// types its acknowledgement letter back with SendInput, as the real key box would.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

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
    bool Start();
    // Unhooks and joins the thread; what was recorded stays readable.
    void Stop();

    // An image ends when no lock key event has come for this long; it must be longer than the
    // longest pause between two lock key events: two timer intervals, 120 ms when blocking.
    void SetQuietTime(DWORD ms) { m_quietMs = ms; }
    // Takes effect for images that end after the call.
    void SetAnswer(Answer answer) { m_answer = answer; }
    // The letter's key press goes to this window (one program's feedback field), not to the
    // focus: copies of the program on one desktop share the keyboard. Null: typed.
    void SetAnswerWindow(HWND window) { m_answerWindow = window; }

    // Waits until `count` images have ended since the start and their letters have been
    // typed, keeping the calling thread's messages moving (its timers, its windows). False on
    // timeout.
    bool WaitForImages(int count, DWORD timeoutMs);
    bool WaitForImage(DWORD timeoutMs) { return WaitForImages(1, timeoutMs); }

    std::vector<Image> Images() const;
    std::vector<LockEvent> LockEvents() const;  // every lock key press and release

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnLockKey(const KBDLLHOOKSTRUCT& key);
    // INFINITE while no image is under way; 0 when it has ended.
    DWORD QuietWait() const;
    void FinishImage();

    // The key box's side of the channel (see OnKey).
    struct Decoder {
        bool caps = false, num = false, scroll = false;  // the lock levels
        bool preambleSeen = false, stepOpen = false;
        int pairs = 0;
        std::uint8_t partial = 0;
        Image image;  // the whole bytes and the Scroll Lock times so far

        // Listens for the next preamble, with the lock levels that stand.
        void Restart(bool c, bool n, bool s) { *this = Decoder(), caps = c, num = n, scroll = s; }
        void OnKey(DWORD vk, bool pressed, std::int64_t timeMs);
    };

    std::atomic<DWORD> m_quietMs{600};
    std::atomic<Answer> m_answer{Answer::Right};
    std::atomic<HWND> m_answerWindow{nullptr};

    mutable std::mutex m_mutex;
    Decoder m_decoder;
    std::vector<Image> m_images;
    std::vector<LockEvent> m_events;
    ULONGLONG m_lastLockTick = 0;  // GetTickCount64 at the last lock key event

    std::thread m_thread;
    DWORD m_threadId = 0;
};
