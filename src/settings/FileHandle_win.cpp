#include "settings/FileHandle_win.h"

namespace {

constexpr DWORD kLockPollMs = 10;

}  // namespace

bool WriteAll(HANDLE file, std::string_view bytes) {
    DWORD done = 0;
    const bool called =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) != FALSE;
    const bool written = called && done == bytes.size();
    if (!written && (called || ::GetLastError() == ERROR_SUCCESS))
        ::SetLastError(ERROR_WRITE_FAULT);  // a short write without a reason
    return written;
}

bool LockPolling(HANDLE file, DWORD flags, OVERLAPPED& range, DWORD lengthLow, DWORD lengthHigh,
                 DWORD waitMs) {
    for (DWORD waited = 0;; waited += kLockPollMs) {
        if (::LockFileEx(file, flags, 0, lengthLow, lengthHigh, &range))
            return true;
        if (::GetLastError() != ERROR_LOCK_VIOLATION || waited >= waitMs)
            return false;
        ::Sleep(kLockPollMs);
    }
}
