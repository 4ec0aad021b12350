// Drives the real program from another process, as a user at the bench would: finds its
// dialogs, reaches controls by the program's own ids, sets and reads texts, clicks, answers
// message boxes, types keys. It waits by polling a condition with a timeout, never by sleeping
// a fixed time.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "programming/Configuration.h"
#include "ui/resource.h"

namespace gui {

inline constexpr DWORD kTimeoutMs = 15000;
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Velkara\\Orvanta";

// Polls `condition` until it holds or the time is up; returns its last value.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kTimeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return condition();
        // Keep our own queue moving (hooks and SendInput need it), then look again shortly.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Next to the test program: the build puts all executables in one folder.
inline std::wstring BuildDir() {
    std::vector<wchar_t> path(MAX_PATH * 4);
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring dir(path.data(), n);
    return dir.substr(0, dir.find_last_of(L"\\/"));
}

inline std::wstring ProgramPath(std::wstring_view exeName = L"Orvanta.exe") {
    return BuildDir() + L"\\" + std::wstring(exeName);
}

// A visible dialog (class #32770) of the process other than `except`, or null.
inline HWND FindDialogOf(DWORD processId, HWND except = nullptr) {
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == processId && w != except && ::IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

// WM_GETTEXT, also across processes.
inline std::wstring WindowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, kTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

// The text of a message box: it shows it in the static control 0xFFFF.
inline std::wstring BoxText(HWND box) {
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

// Presses a button of a message box or dialog (by posting its command).
inline void Answer(HWND box, int buttonId) {
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, buttonId)));
}

class Program {
public:
    explicit Program(std::wstring exePath = ProgramPath()) : m_exe(std::move(exePath)) {}
    ~Program() {
        if (m_process.hProcess == nullptr)
            return;
        Kill();
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program, with `arguments` after its name, and waits for its main dialog.
    bool Start(std::wstring_view arguments = {}) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + m_exe + L"\" " + std::wstring(arguments);
        if (!::CreateProcessW(m_exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &m_process))
            return false;
        WaitUntil([&] {
            m_dialog = FindDialogOf(m_process.dwProcessId, nullptr);
            if (m_dialog != nullptr && ::GetDlgItem(m_dialog, IDC_SERIAL) == nullptr)
                m_dialog = FindDialogOf(m_process.dwProcessId, m_dialog);  // a box above it
            return m_dialog != nullptr || !Running();
        });
        return m_dialog != nullptr && Settle();
    }
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }

    std::wstring Text(int id) const { return WindowText(Item(id)); }
    void SetText(int id, const std::wstring& text) const {
        Send(id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(Item(id), msg, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
        return static_cast<LRESULT>(result);
    }
    // Types a configuration into the main dialog's fields. The dialog takes the contact count
    // from the list's selection change, not from its text.
    void EnterConfiguration(const Configuration& config) const {
        SetText(IDC_SERIAL, std::to_wstring(config.serial));
        Send(IDC_PROTECTED, BM_SETCHECK, config.protectedFlag ? BST_CHECKED : BST_UNCHECKED);
        SetText(IDC_BOUNCE, std::to_wstring(config.bounceTime));
        SetText(IDC_SPEED, std::to_wstring(config.speed));
        SetText(IDC_REPEAT, config.repeatText);
        Send(IDC_CONTACTS, CB_SETCURSEL, static_cast<WPARAM>(config.contacts - 1));
        PostNotify(IDC_CONTACTS, CBN_SELCHANGE);
        for (int s = 0; s < kSlotCount; ++s)
            SetText(IDC_SLOT_FIRST + s, config.slots[static_cast<std::size_t>(s)]);
    }
    // Posts the command a click sends; returns at once, even when the click opens a box.
    void Click(int id) const { PostNotify(id, BN_CLICKED); }
    void PostNotify(int id, WORD code) const {
        ::PostMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(id, code),
                       reinterpret_cast<LPARAM>(Item(id)));
    }
    // Posts a command of the system menu (SC_CLOSE, or one of the program's own entries).
    void SystemCommand(WPARAM id) const { ::PostMessageW(m_dialog, WM_SYSCOMMAND, id, 0); }

    // A message box the program showed: its caption and text.
    struct Box {
        std::wstring caption;
        std::wstring text;
    };
    // Waits for a message box, reads it, presses `buttonId` and waits until the box is gone and
    // a main dialog that is still open has handled the answer. Nullopt when no box came or it
    // stayed open.
    std::optional<Box> AnswerBox(int buttonId) const {
        HWND box = WaitForBox();
        if (box == nullptr)
            return std::nullopt;
        Box seen{WindowText(box), BoxText(box)};
        Answer(box, buttonId);
        // An answer may end the dialog; one that stays must have handled it.
        if (!WaitForNoBox() || (!Settle() && !WaitUntil([&] { return !::IsWindow(m_dialog); })))
            return std::nullopt;
        return seen;
    }

    // Another visible dialog of the program (message box, about box), or null.
    HWND FindBox() const { return FindDialogOf(m_process.dwProcessId, m_dialog); }
    HWND WaitForBox(DWORD timeoutMs = kTimeoutMs) const {
        HWND box = nullptr;
        WaitUntil([&] { return (box = FindBox()) != nullptr; }, timeoutMs);
        return box;
    }
    // Waits for a box of the program other than `below`, as one that `below` shows above
    // itself; null when none came.
    HWND WaitForBoxOver(HWND below) const {
        HWND box = nullptr;
        WaitUntil([&] { return (box = FindBox()) != nullptr && box != below; });
        return box != below ? box : nullptr;
    }
    bool WaitForNoBox(DWORD timeoutMs = kTimeoutMs) const {
        return WaitUntil([&] { return FindBox() == nullptr; }, timeoutMs);
    }

    // The window with the keyboard focus in the program's thread.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(m_process.dwThreadId, &info) ? info.hwndFocus : nullptr;
    }
    // Makes the main dialog the foreground window, so typed keys reach it.
    bool BringToFront() const {
        ::SetForegroundWindow(m_dialog);
        return WaitUntil([&] { return ::GetForegroundWindow() == m_dialog; });
    }

    bool Running() const {
        return m_process.hProcess != nullptr &&
               ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
    }
    bool WaitForExit(DWORD timeoutMs = kTimeoutMs) const {
        return WaitUntil([&] { return !Running(); }, timeoutMs);
    }
    // Ends the program at once, as a crash would; true once it has ended.
    bool Kill() const {
        if (Running())
            ::TerminateProcess(m_process.hProcess, 99);
        return m_process.hProcess == nullptr ||
               ::WaitForSingleObject(m_process.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
    }
    // Waits until the program has handled everything posted to it so far. A sent message
    // overtakes posted ones, so the probe is posted: the hidden "programmed" button is pushed
    // down by a posted message and read back. Once the program has handled the probe, it has
    // handled everything posted before it.
    bool Settle() const {
        HWND probe = Item(IDC_PROGRAMMED);
        Send(IDC_PROGRAMMED, BM_SETSTATE, FALSE);
        if (!::PostMessageW(probe, BM_SETSTATE, TRUE, 0))
            return false;
        bool handled = false;
        WaitUntil([&] {
            handled = (Send(IDC_PROGRAMMED, BM_GETSTATE) & BST_PUSHED) != 0;
            return handled || !::IsWindow(probe);  // a dialog going away settles nothing
        });
        Send(IDC_PROGRAMMED, BM_SETSTATE, FALSE);
        return handled;
    }

private:
    std::wstring m_exe;
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

// A key as the keyboard would type it, a press and then a release; a modifier (VK_MENU for
// Alt+F4) is held down around it.
inline void TypeKey(WORD vk, WORD modifier = 0) {
    const std::pair<WORD, DWORD> steps[] = {
        {modifier, 0}, {vk, 0}, {vk, KEYEVENTF_KEYUP}, {modifier, KEYEVENTF_KEYUP}};
    std::vector<INPUT> keys;
    for (const auto& [key, flags] : steps) {
        if (key != 0)
            keys.push_back({INPUT_KEYBOARD, {.ki = {key, 0, flags, 0, 0}}});
    }
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

// Caps Lock, Num Lock and Scroll Lock: whether the lock is on (toggled).
inline bool LockOn(WORD vk) {
    return (::GetKeyState(vk) & 1) != 0;
}

// Turns every lock off, so one test's keys do not leak into the next; false if a lock
// stays on.
inline bool ResetLocks() {
    // Our thread's key state follows the key messages it has read: pump before looking.
    WaitUntil([] { return true; }, 0);
    for (WORD vk : {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL})
        if (LockOn(vk))
            TypeKey(vk);
    return WaitUntil(
        [] { return !LockOn(VK_CAPITAL) && !LockOn(VK_NUMLOCK) && !LockOn(VK_SCROLL); });
}

// The program's settings under HKEY_CURRENT_USER.
inline void DeleteSettings() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

inline void SetDwordSetting(const wchar_t* name, DWORD value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &value, sizeof(value));
}

inline void SetTextSetting(const wchar_t* name, const std::wstring& text) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

inline std::optional<DWORD> DwordSetting(const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

inline bool SettingsKeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// Writes a file whole, as an editor would save it; false when it could not.
inline bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

// A whole file as it is on the disk; empty when there is none.
inline std::string FileContent(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

}  // namespace gui
