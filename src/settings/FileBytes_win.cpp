#include "settings/FileBytes_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/SystemReason.h"
#include "settings/FileHandle_win.h"
#include "settings/FileRules.h"

namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::vector<wchar_t> full(size);
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    return length > 0 && length < size ? std::wstring(full.data(), length) : path;
}

bool FileExists(const std::wstring& systemPath) {
    return ::GetFileAttributesW(systemPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The files of one save, named by their long forms.
class CSaveFiles : public ISaveFiles {
public:
    explicit CSaveFiles(const std::wstring& target)
        : m_paths{L"", target, Beside(target, L".tmp"), Beside(target, L".bak")} {}
    const std::wstring& Path(SaveFile file) const { return m_paths[static_cast<int>(file)]; }

    bool Exists(SaveFile file) override { return FileExists(Path(file)); }
    bool MoveToTarget(SaveFile file) override {
        return ::MoveFileExW(Path(file).c_str(), Path(SaveFile::Target).c_str(),
                             MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    void Remove(SaveFile file) override { ::DeleteFileW(Path(file).c_str()); }

private:
    // A file in the target's folder, so that renames stay on one volume, named after the
    // process: two programs saving the same file do not write into each other's.
    static std::wstring Beside(const std::wstring& target, const wchar_t* extension) {
        return target + L"." + std::to_wstring(::GetCurrentProcessId()) + extension;
    }

    std::wstring m_paths[4];
};

}  // namespace

std::wstring SystemPath(const std::wstring& path) {
    return LongPathForm(FullPath(path));
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileBytes ReadFileBytes(const std::wstring& path, std::size_t limit) {
    FileBytes file;
    CFile handle(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
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

SaveOutcome ReplaceFileBytes(const std::wstring& path, std::string_view bytes) {
    CSaveFiles files(SystemPath(path));
    const std::wstring& target = files.Path(SaveFile::Target);
    const std::wstring& fresh = files.Path(SaveFile::Fresh);
    // A file that another program holds open, as an editor does, is found out before anything
    // is written (Wine's replace operation would leave a file of its own beside it).
    const bool exists = FileExists(target);
    if (exists) {
        CFile probe(::CreateFileW(target.c_str(), DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.IsOpen())
            return SaveOutcome::Unchanged(fw::SystemReason(::GetLastError()));
    }
    CFile file(::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return SaveOutcome::Unchanged(fw::SystemReason(::GetLastError()), exists);

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
    if (error != ERROR_SUCCESS) {
        files.Remove(SaveFile::Fresh);  // not whole: never put in place
        return SaveOutcome::Unchanged(fw::SystemReason(error), exists);
    }
    // The old file goes to the backup name on the way: a replace that fails half-way leaves it
    // there, under a name the user can be told.
    check(exists
              ? ::ReplaceFileW(target.c_str(), fresh.c_str(), files.Path(SaveFile::Backup).c_str(),
                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE
              : ::MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE);
    SaveOutcome result = FinishSave(error, exists, files);
    if (result.newAt != SaveFile::Target) {
        result.failure = fw::SystemReason(error);
        result.freshPath = UsualPathForm(fresh);
        result.backupPath = UsualPathForm(files.Path(SaveFile::Backup));
    }
    return result;
}

namespace {

// The appenders of one file take turns on a byte far beyond any real end of it. Each holds the
// turn for one write; a turn that stays taken for a second (a program that hangs over a lost
// share) is reported instead of waited for.
bool TakeTurn(HANDLE file) {
    OVERLAPPED turn{};
    turn.OffsetHigh = 0x40000000;
    return LockPolling(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, turn, 1, 0, 1000);
}

// Whether the file of `size` bytes ends in a line feed; an empty one counts as ending well.
bool ReadEnd(HANDLE file, LONGLONG size, bool& endsInLineFeed) {
    endsInLineFeed = true;
    if (size == 0)
        return true;
    LARGE_INTEGER last{};
    last.QuadPart = size - 1;
    char byte = 0;
    DWORD read = 0;
    if (!::SetFilePointerEx(file, last, nullptr, FILE_BEGIN) ||
        !::ReadFile(file, &byte, 1, &read, nullptr))
        return false;
    endsInLineFeed = read == 1 && byte == '\n';
    return true;
}

}  // namespace

std::wstring AppendFileBytes(
    const std::wstring& path,
    const std::function<std::string(std::uint64_t size, bool endsInLineFeed)>& content) {
    // Others may read and append while we hold the file, but a program that holds it for
    // reading only (a spreadsheet) makes this open fail: the caller keeps its lines.
    CFile file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ | FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return fw::SystemReason(::GetLastError());
    // In turn with the other appenders, so the header of a new file and each batch of lines go
    // in whole, after the last byte as it stands in that turn. The turn ends with the handle.
    LARGE_INTEGER size{};
    bool endsInLineFeed = true;
    const bool written =
        TakeTurn(file.Get()) && ::GetFileSizeEx(file.Get(), &size) &&
        ReadEnd(file.Get(), size.QuadPart, endsInLineFeed) &&
        WriteAll(file.Get(), content(static_cast<std::uint64_t>(size.QuadPart), endsInLineFeed)) &&
        ::FlushFileBuffers(file.Get());
    const DWORD error = written ? ERROR_SUCCESS : ::GetLastError();
    if (!file.Close() && written)
        return fw::SystemReason(::GetLastError());
    return written ? std::wstring() : fw::SystemReason(error);
}

std::wstring ReadFileRange(const std::wstring& path, std::uint64_t offset, std::size_t size,
                           std::string& bytes) {
    CFile file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER from{};
    from.QuadPart = static_cast<LONGLONG>(offset);
    bytes.assign(size, '\0');
    DWORD read = 0;
    if (!file.IsOpen() || !::SetFilePointerEx(file.Get(), from, nullptr, FILE_BEGIN) ||
        !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(size), &read, nullptr)) {
        bytes.clear();
        return fw::SystemReason(::GetLastError());
    }
    bytes.resize(read);
    return {};
}

std::wstring CreateFileBytes(const std::wstring& path, std::string_view bytes) {
    const std::wstring target = SystemPath(path);
    CFile file(::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return fw::SystemReason(::GetLastError());
    if (!WriteAll(file.Get(), bytes) || !::FlushFileBuffers(file.Get())) {
        const DWORD error = ::GetLastError();
        file.Close();
        ::DeleteFileW(target.c_str());
        return fw::SystemReason(error);
    }
    return file.Close() ? std::wstring() : fw::SystemReason(::GetLastError());
}
