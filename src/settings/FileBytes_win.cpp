#include "settings/FileBytes_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/SystemReason.h"

namespace {

// A file handle that closes itself.
class CFile {
public:
    explicit CFile(HANDLE handle) : m_handle(handle) {}
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        const bool closed = !IsOpen() || ::CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::vector<wchar_t> full(size);
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    return length > 0 && length < size ? std::wstring(full.data(), length) : path;
}

}  // namespace

FileBytes ReadFileBytes(const std::wstring& path, std::size_t limit) {
    FileBytes file;
    CFile handle(::CreateFileW(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsOpen()) {
        file.failure = fw::SystemReason(::GetLastError());
        return file;
    }
    char buffer[64 * 1024];
    while (file.bytes.size() <= limit) {
        DWORD read = 0;
        if (!::ReadFile(handle.Get(), buffer, sizeof buffer, &read, nullptr)) {
            file.failure = fw::SystemReason(::GetLastError());
            return file;
        }
        if (read == 0)
            break;
        file.bytes.append(buffer, read);
    }
    return file;
}

std::wstring ReplaceFileBytes(const std::wstring& path, std::string_view bytes) {
    // The new file lies in the target's folder, so the rename stays on one volume. Its name is
    // the process's own: two programs saving the same file do not write into each other's.
    const std::wstring target = FullPath(path);
    const std::wstring fresh = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    CFile file(::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return fw::SystemReason(::GetLastError());

    // The first failing call's reason is the one the user sees.
    DWORD error = ERROR_SUCCESS;
    auto check = [&error](bool done) {
        if (!done && error == ERROR_SUCCESS) {
            error = ::GetLastError();
            if (error == ERROR_SUCCESS)
                error = ERROR_WRITE_FAULT;  // a short write without a reason
        }
        return done;
    };
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        DWORD done = 0;
        if (!check(::WriteFile(file.Get(), bytes.data(), chunk, &done, nullptr) && done == chunk))
            break;
        bytes.remove_prefix(done);
    }
    if (bytes.empty())
        check(::FlushFileBuffers(file.Get()) != FALSE);
    check(file.Close());
    if (error == ERROR_SUCCESS &&
        check(::MoveFileExW(fresh.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE)) {
        return {};
    }
    ::DeleteFileW(fresh.c_str());
    return fw::SystemReason(error);
}
