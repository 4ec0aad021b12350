// Drives the real program from another process, as a user at the bench would: finds its
// dialogs, reaches controls by the program's own ids, sets and reads texts, clicks, answers
// message boxes, types keys. It waits by polling a condition with a timeout, never by sleeping
// a fixed time.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gui {

inline constexpr DWORD kTimeoutMs = 15000;

// Polls `condition` until it holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kTimeoutMs);

// Next to the test program: the build puts all executables in one folder.
std::wstring BuildDir();
std::wstring ProgramPath(std::wstring_view exeName = L"Orvanta.exe");

// A visible dialog (class #32770) of the process other than `except`, or null.
HWND FindDialogOf(DWORD processId, HWND except = nullptr);

std::wstring WindowText(HWND hwnd);  // WM_GETTEXT, also across processes
std::wstring ClassName(HWND hwnd);
// The text of a message box.
std::wstring BoxText(HWND box);
// Presses a button of a message box or dialog (by posting its command).
void Answer(HWND box, int buttonId);

class Program {
public:
    explicit Program(std::wstring exePath = ProgramPath());
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program, with `arguments` after its name, and waits for its main dialog.
    bool Start(std::wstring_view arguments = {});
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }

    std::wstring Text(int id) const { return WindowText(Item(id)); }
    void SetText(int id, std::wstring_view text) const;
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Posts the command a click sends; returns at once, even when the click opens a box.
    void Click(int id) const;
    void PostNotify(int id, WORD code) const;

    // A message box the program showed: its caption and text.
    struct Box {
        std::wstring caption;
        std::wstring text;
    };
    // Waits for a message box, reads it, presses `buttonId` and waits until the box is gone and
    // a main dialog that is still open has handled the answer. Nullopt when no box came or it
    // stayed open.
    std::optional<Box> AnswerBox(int buttonId) const;

    // Another visible dialog of the program (message box, about box), or null.
    HWND FindBox() const;
    HWND WaitForBox(DWORD timeoutMs = kTimeoutMs) const;
    bool WaitForNoBox(DWORD timeoutMs = kTimeoutMs) const;

    // The window with the keyboard focus in the program's thread.
    HWND Focus() const;
    // Makes the main dialog the foreground window, so typed keys reach it.
    bool BringToFront() const;

    bool Running() const;
    bool WaitForExit(DWORD timeoutMs = kTimeoutMs) const;
    // Waits until the program has handled everything posted to it so far.
    bool Settle() const;

private:
    std::wstring m_exe;
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

// A key as the keyboard would type it: a press, then a release.
void TypeKey(WORD vk);
// Caps Lock, Num Lock and Scroll Lock: whether the lock is on (toggled).
bool LockOn(WORD vk);
// Turns every lock off, so one test's keys do not leak into the next; false if a lock
// stays on.
bool ResetLocks();

// The program's settings under HKEY_CURRENT_USER.
void DeleteSettings();
void SetDwordSetting(const wchar_t* name, DWORD value);
void SetStringSetting(const wchar_t* name, const wchar_t* value);
std::optional<DWORD> DwordSetting(const wchar_t* name);
bool SettingsKeyExists();

// Writes a file whole, as an editor would save it; false when it could not.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// The name of a file that matches a pattern with wildcards, or empty when none does.
std::wstring FileLike(const std::wstring& pattern);

// A key typed while another is held, as Alt+F4: both pressed, then both released.
void TypeWithModifier(WORD modifier, WORD vk);

}  // namespace gui
