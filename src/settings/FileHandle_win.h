// The Win32 file handling that the settings' files share: a handle that closes itself, a write
// that is whole or fails with a reason, and a lock that is asked for again until a wait ends.
#pragma once

#include <windows.h>

#include <string_view>

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

// Writes all the bytes at the file's current position; false with the reason in the thread's
// last error otherwise (ERROR_WRITE_FAULT for a write cut short without one).
bool WriteAll(HANDLE file, std::string_view bytes);

// Locks `lengthLow` + `lengthHigh` << 32 bytes from `range`'s offset with LockFileEx and `flags`
// (which hold LOCKFILE_FAIL_IMMEDIATELY), asking again every 10 ms while another program holds
// them, for `waitMs` at most. False with the reason in the thread's last error: a lock still
// held when the wait ends leaves ERROR_LOCK_VIOLATION there.
bool LockPolling(HANDLE file, DWORD flags, OVERLAPPED& range, DWORD lengthLow, DWORD lengthHigh,
                 DWORD waitMs);
