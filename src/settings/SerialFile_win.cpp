#include "settings/SerialFile_win.h"

#include <windows.h>

#include <memory>
#include <string>

#include "framework/SystemReason.h"
#include "settings/FileBytes_win.h"
#include "settings/Registry_win.h"

namespace {

// Another bench holds the lock for a few milliseconds: it is asked for again every 10 ms, and
// one held for 2 seconds is reported instead of waited for (a bench that hangs over a lost
// share).
constexpr int kLockWaitMs = 2000;
constexpr int kLockPollMs = 10;
// Enough for every counter a bench takes, and to show what a wrong file begins with.
constexpr DWORD kReadLimit = 64;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// The lock covers every byte the file has or may get, so a program that locks any part of the
// counter holds it, and readers that do not lock (an editor) see it whole.
bool LockWhole(HANDLE file, bool exclusive, OVERLAPPED& whole) {
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    for (int waited = 0;; waited += kLockPollMs) {
        if (::LockFileEx(file, flags, 0, MAXDWORD, MAXDWORD, &whole))
            return true;
        if (::GetLastError() != ERROR_LOCK_VIOLATION || waited >= kLockWaitMs)
            return false;
        ::Sleep(kLockPollMs);
    }
}

// The new content from the first byte on, flushed to the disk. One write, never shorter than
// the number it replaces (leading zeros aside): a write cut short leaves a number at least as
// high as the one written, or the old one with the failure reported.
bool Replace(HANDLE file, const std::string& text) {
    const LARGE_INTEGER start{};
    DWORD written = 0;
    const bool done =
        ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (done && written != text.size())
        ::SetLastError(ERROR_WRITE_FAULT);  // a short write without a reason
    return done && written == text.size() && ::SetEndOfFile(file) && ::FlushFileBuffers(file);
}

}  // namespace

FilePlace StoredSerialFile() {
    CRegistry registry;
    return LoadFilePlace(registry, kSerialFileValue, L"", IsFolder);
}

bool StoreSerialFile(const std::wstring& path) {
    CRegistry registry;
    return SaveFilePlace(registry, kSerialFileValue, path) == SaveResult::Saved;
}

std::wstring MakeCounter(const std::wstring& path, std::int32_t number) {
    const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return {};
    if (number < 0 || number > kMaxSharedSerial)
        return L"It would start at " + std::to_wstring(number) +
               L", and a serial number is from 0 to 268435455.";
    return CreateFileBytes(path, std::to_string(number) + "\r\n");
}

CounterAccess CSerialFile::Access(const std::wstring& path, bool forWriting,
                                  const Rewrite& rewrite) {
    // A read-only counter is named as such: the system would only say that access is denied,
    // and Wine run as root opens it for writing all the same.
    const std::wstring systemPath = SystemPath(path);
    const DWORD attributes = ::GetFileAttributesW(systemPath.c_str());
    if (forWriting && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return {false, L"The file is read-only."};
    // Others may open the counter meanwhile; the lock decides whose turn it is.
    const HANDLE opened = ::CreateFileW(
        systemPath.c_str(), GENERIC_READ | (forWriting ? GENERIC_WRITE : 0u),
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return {false, fw::SystemReason(::GetLastError())};
    const FileHandle file(opened);
    OVERLAPPED whole{};
    if (!LockWhole(file.get(), forWriting, whole)) {
        const DWORD error = ::GetLastError();
        return {error == ERROR_LOCK_VIOLATION, fw::SystemReason(error)};
    }
    std::string bytes(kReadLimit, '\0');
    DWORD read = 0;
    bool done = ::ReadFile(file.get(), bytes.data(), kReadLimit, &read, nullptr) != FALSE;
    bytes.resize(read);
    if (done) {
        if (const auto text = rewrite(bytes))
            done = Replace(file.get(), *text);
    }
    const DWORD error = done ? ERROR_SUCCESS : ::GetLastError();
    ::UnlockFileEx(file.get(), 0, MAXDWORD, MAXDWORD, &whole);
    return {false, done ? std::wstring() : fw::SystemReason(error)};
}
