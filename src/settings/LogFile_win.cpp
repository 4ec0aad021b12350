#include "settings/LogFile_win.h"

#include <windows.h>

#include "settings/FileBytes_win.h"
#include "settings/Settings.h"

namespace {

constexpr wchar_t kLogFileValue[] = L"LogFile";

}  // namespace

std::wstring StoredLogFile() {
    // Room for the longest path the system takes; a longer value counts as none.
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, std::wstring(kSettingsKey).c_str(), kLogFileValue,
                       RRF_RT_REG_SZ, nullptr, path.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    path.resize(wcsnlen(path.c_str(), path.size()));
    return path;
}

bool StoreLogFile(const std::wstring& path) {
    const std::wstring key(kSettingsKey);
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), kLogFileValue, REG_SZ, path.c_str(),
                             static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

std::wstring CLogFileWriter::Append(const std::wstring& path, std::string_view lines) {
    return AppendFileBytes(path, [lines](bool empty) { return LogFileBytes(lines, empty); });
}
