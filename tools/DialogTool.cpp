// Helper of the run script: waits for a dialog by its title and prints its screen rectangle
// (x y width height) once it has painted, or closes it as Esc would.
//   orvanta-dlgtool wait <title> <timeout ms>
//   orvanta-dlgtool close <title> <timeout ms>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND WaitForDialog(const wchar_t* title, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        HWND dialog = ::FindWindowW(L"#32770", title);
        if (dialog != nullptr && ::IsWindowVisible(dialog))
            return dialog;
        if (::GetTickCount() - start > timeoutMs)
            return nullptr;
        ::Sleep(20);  // polling another process's window; nothing to wait on
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: orvanta-dlgtool wait|close <title> <timeout ms>\n");
        return 2;
    }
    const std::wstring verb = argv[1];
    const DWORD timeoutMs = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10));
    HWND dialog = WaitForDialog(argv[2], timeoutMs);
    if (dialog == nullptr) {
        std::fwprintf(stderr, L"no dialog \"%ls\" within %lu ms\n", argv[2], timeoutMs);
        return 1;
    }
    if (verb == L"wait") {
        // A message answered by the dialog's thread means it has handled its start-up
        // messages; then let it paint everything before the picture is taken.
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored);
        ::RedrawWindow(dialog, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored);
        RECT r;
        ::GetWindowRect(dialog, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (verb == L"close") {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return 2;
}
