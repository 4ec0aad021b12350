// The system's file dialogs, dropped files and the user's folders. Their libraries
// are loaded only when the user first reaches for them: linked in, they would lengthen every
// start of the program.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace fw {

// A function of a system library, loaded from the system folder alone (never from the folder
// of a file at hand); null when it cannot be had.
FARPROC SystemProc(const wchar_t* library, const char* name);
template <class Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProc(library, name)));
}

enum class FileDialog {
    Open,    // an existing file
    SaveAs,  // asks before a file is replaced
    AddTo,   // save-style, for a file that is added to: nothing to ask
};

// The system's file dialog for `kind`, starting at `path`; `filter` as the system takes it
// (pairs of texts, ending in an empty one). The path chosen, or nothing when cancelled.
std::optional<std::wstring> AskFilePath(HWND owner, FileDialog kind, const wchar_t* filter,
                                        const wchar_t* defaultExtension, const std::wstring& path);

// The files of a drop on a window; the drop is done with afterwards.
std::vector<std::wstring> DroppedFiles(HDROP drop);

// The user's Documents folder, and the folder of the user's application data that stays on
// this computer; empty when the system cannot say.
std::wstring DocumentsFolder();
std::wstring LocalAppDataFolder();

}  // namespace fw
