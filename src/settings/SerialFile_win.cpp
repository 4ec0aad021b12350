#include "settings/SerialFile_win.h"

#include <windows.h>

#include <string>

#include "framework/SystemReason.h"
#include "settings/FileBytes_win.h"
#include "settings/FileHandle_win.h"
#include "settings/Registry_win.h"

namespace {

// Another bench holds the lock for a few milliseconds: one held for 2 seconds is reported
// instead of waited for (a bench that hangs over a lost share).
constexpr DWORD kLockWaitMs = 2000;
// Enough for every counter a bench takes, and to show what a wrong file begins with.
constexpr DWORD kReadLimit = 64;

// The lock covers every byte the file has or may get, so a program that locks any part of the
// counter holds it, and readers that do not lock (an editor) see it whole.
bool LockWhole(HANDLE file, bool exclusive, OVERLAPPED& whole) {
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockPolling(file, flags, whole, MAXDWORD, MAXDWORD, kLockWaitMs);
}

// The new content from the first byte on, flushed to the disk. One write, never shorter than
// the number it replaces (leading zeros aside): a write cut short leaves a number at least as
// high as the one written, or the old one with the failure reported.
bool Replace(HANDLE file, const std::string& text) {
    const LARGE_INTEGER start{};
    return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && WriteAll(file, text) &&
           ::SetEndOfFile(file) && ::FlushFileBuffers(file);
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
               L", and a serial number is from 0 to " + std::to_wstring(kMaxSharedSerial) + L".";
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
    CFile file(::CreateFileW(systemPath.c_str(), GENERIC_READ | (forWriting ? GENERIC_WRITE : 0u),
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return {false, fw::SystemReason(::GetLastError())};
    OVERLAPPED whole{};
    if (!LockWhole(file.Get(), forWriting, whole)) {
        const DWORD error = ::GetLastError();
        return {error == ERROR_LOCK_VIOLATION, fw::SystemReason(error)};
    }
    std::string bytes(kReadLimit, '\0');
    DWORD read = 0;
    bool done = ::ReadFile(file.Get(), bytes.data(), kReadLimit, &read, nullptr) != FALSE;
    bytes.resize(read);
    if (done) {
        if (const auto text = rewrite(bytes))
            done = Replace(file.Get(), *text);
    }
    const DWORD error = done ? ERROR_SUCCESS : ::GetLastError();
    ::UnlockFileEx(file.Get(), 0, MAXDWORD, MAXDWORD, &whole);
    return {false, done ? std::wstring() : fw::SystemReason(error)};
}
