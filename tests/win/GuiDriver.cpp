#include "GuiDriver.h"

#include <vector>

#include "ui/resource.h"

namespace gui {
namespace {

constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Velkara\\Orvanta";

struct FindData {
    DWORD processId;
    HWND except;
    HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND hwnd, LPARAM lParam) {
    auto* data = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != data->processId || hwnd == data->except || !::IsWindowVisible(hwnd))
        return TRUE;
    if (ClassName(hwnd) != L"#32770")
        return TRUE;
    data->found = hwnd;
    return FALSE;
}

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

HWND FindDialogOf(DWORD processId, HWND except) {
    FindData data{processId, except, nullptr};
    ::EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
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

std::wstring BuildDir() {
    std::vector<wchar_t> path(MAX_PATH * 4);
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring dir(path.data(), n);
    return dir.substr(0, dir.find_last_of(L"\\/"));
}

std::wstring ProgramPath(std::wstring_view exeName) {
    return BuildDir() + L"\\" + std::wstring(exeName);
}

std::wstring WindowText(HWND hwnd) {
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

std::wstring ClassName(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring BoxText(HWND box) {
    // A message box shows its text in the static control 0xFFFF.
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

void Answer(HWND box, int buttonId) {
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, buttonId)));
}

Program::Program(std::wstring exePath) : m_exe(std::move(exePath)) {}

Program::~Program() {
    if (m_process.hProcess != nullptr) {
        if (Running()) {
            ::TerminateProcess(m_process.hProcess, 99);
            ::WaitForSingleObject(m_process.hProcess, kTimeoutMs);
        }
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
}

bool Program::Start(std::wstring_view arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + m_exe + L"\" " + std::wstring(arguments);
    if (!::CreateProcessW(m_exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &m_process)) {
        return false;
    }
    WaitUntil([&] {
        m_dialog = FindDialogOf(m_process.dwProcessId, nullptr);
        if (m_dialog != nullptr && ::GetDlgItem(m_dialog, IDC_SERIAL) == nullptr)
            m_dialog = FindDialogOf(m_process.dwProcessId, m_dialog);  // a message box above it
        return m_dialog != nullptr || !Running();
    });
    return m_dialog != nullptr && Settle();
}

void Program::SetText(int id, std::wstring_view text) const {
    const std::wstring copy(text);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()),
                          SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
}

LRESULT Program::Send(int id, UINT msg, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(Item(id), msg, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

void Program::Click(int id) const {
    PostNotify(id, BN_CLICKED);
}

void Program::PostNotify(int id, WORD code) const {
    ::PostMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

HWND Program::FindBox() const {
    return FindDialogOf(m_process.dwProcessId, m_dialog);
}

HWND Program::WaitForBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindBox()) != nullptr; }, timeoutMs);
    return box;
}

std::optional<Program::Box> Program::AnswerBox(int buttonId) const {
    HWND box = WaitForBox();
    if (box == nullptr)
        return std::nullopt;
    Box seen{WindowText(box), BoxText(box)};
    Answer(box, buttonId);
    if (!WaitForNoBox())
        return std::nullopt;
    // An answer may end the dialog; one that stays must have handled it.
    if (!Settle() && !WaitUntil([&] { return !::IsWindow(m_dialog); }))
        return std::nullopt;
    return seen;
}

bool Program::WaitForNoBox(DWORD timeoutMs) const {
    return WaitUntil([&] { return FindBox() == nullptr; }, timeoutMs);
}

HWND Program::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(m_process.dwThreadId, &info))
        return nullptr;
    return info.hwndFocus;
}

bool Program::BringToFront() const {
    ::SetForegroundWindow(m_dialog);
    return WaitUntil([&] { return ::GetForegroundWindow() == m_dialog; });
}

bool Program::Running() const {
    return m_process.hProcess != nullptr &&
           ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD timeoutMs) const {
    return WaitUntil([&] { return !Running(); }, timeoutMs);
}

bool Program::Settle() const {
    // A sent message overtakes posted ones, so the probe is posted: the hidden "programmed"
    // button is pushed down by a posted message and read back. Once the program has handled
    // the probe, it has handled everything posted before it.
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

void TypeKey(WORD vk) {
    SendKey(vk, false);
    SendKey(vk, true);
}

bool LockOn(WORD vk) {
    return (::GetKeyState(vk) & 1) != 0;
}

bool ResetLocks() {
    // Our thread's key state follows the key messages it has read: pump before looking.
    WaitUntil([] { return true; }, 0);
    for (WORD vk : {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL}) {
        if (LockOn(vk))
            TypeKey(vk);
    }
    return WaitUntil(
        [] { return !LockOn(VK_CAPITAL) && !LockOn(VK_NUMLOCK) && !LockOn(VK_SCROLL); });
}

void DeleteSettings() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok =
        file != INVALID_HANDLE_VALUE &&
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    return ok;
}

std::wstring FileLike(const std::wstring& pattern) {
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    ::FindClose(search);
    return found.cFileName;
}

void SetDwordSetting(const wchar_t* name, DWORD value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &value, sizeof(value));
}

void SetStringSetting(const wchar_t* name, const wchar_t* value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_SZ, value,
                      static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

std::optional<DWORD> DwordSetting(const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

bool SettingsKeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void TypeWithModifier(WORD modifier, WORD vk) {
    SendKey(modifier, false);
    TypeKey(vk);
    SendKey(modifier, true);
}

}  // namespace gui
