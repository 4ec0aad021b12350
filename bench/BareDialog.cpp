// The yardstick for the program's start-up: the main dialog's template with the program's
// resources, shown by the system's own dialog box and none of the program's code.
#include <windows.h>
#include <commctrl.h>

#include "resource.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&controls);
    return static_cast<int>(
        ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ORVANTA_DIALOG), nullptr, DialogProc, 0));
}
