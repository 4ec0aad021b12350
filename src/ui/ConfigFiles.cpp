#include "ui/ConfigFiles.h"

#include "framework/MessageBox.h"
#include "settings/FileBytes_win.h"

ConfigRead OpenConfigFile(HWND owner, const std::wstring& path) {
    const FileBytes file = ReadFileBytes(path, kMaxConfigFileBytes);
    ConfigRead read;
    if (file.failure.empty())
        read = ReadConfigFile(file.bytes, path);
    else
        read.error = CannotOpenMessage(path, file.failure);
    if (!read.error.empty())
        fw::MessageBox(owner, read.error, MB_OK | MB_ICONEXCLAMATION);
    return read;
}

bool SaveConfigFile(HWND owner, const std::wstring& path, const ConfigValues& values) {
    const ConfigText file = FormatConfigFile(values, path);
    std::wstring error = file.error;
    if (error.empty()) {
        const SaveOutcome saved = ReplaceFileBytes(path, file.bytes);
        if (saved.newAt != SaveFile::Target)
            error = CannotSaveMessage(path, saved);
    }
    if (!error.empty())
        fw::MessageBox(owner, error, MB_OK | MB_ICONEXCLAMATION);
    return error.empty();
}
