#include "settings/LogFile_win.h"

#include "framework/SystemFiles.h"
#include "framework/SystemReason.h"
#include "settings/FileBytes_win.h"
#include "settings/Registry_win.h"

namespace {

// The spool is small: a bench's lines of a few days at most.
constexpr std::size_t kMaxSpoolBytes = 64 << 20;

}  // namespace

LogPlace StoredLogPlace() {
    CRegistry registry;
    return LoadFilePlace(registry, kLogFileValue, fw::DocumentsFolder() + L"\\" + kDefaultLogName,
                         IsFolder);
}

bool StoreLogFile(const std::wstring& path) {
    CRegistry registry;
    return SaveFilePlace(registry, kLogFileValue, path) == SaveResult::Saved;
}

std::wstring ReadLogBytes(const std::wstring& path, std::size_t limit, std::string& bytes,
                          bool& newestOnly) {
    bytes.clear();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data))
        return fw::SystemReason(::GetLastError());
    const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    newestOnly = size > limit;
    // One byte before the newest `limit` tells whether they start with a whole line.
    const std::uint64_t from = newestOnly ? size - limit - 1 : 0;
    const std::wstring failure =
        ReadFileRange(path, from, static_cast<std::size_t>(size - from), bytes);
    if (newestOnly) {
        const std::size_t lineEnd = bytes.find('\n');
        bytes.erase(0, lineEnd == std::string::npos ? lineEnd : lineEnd + 1);
    }
    return failure;
}

std::wstring SpoolPath() {
    const std::wstring folder = fw::LocalAppDataFolder();
    return folder.empty() ? folder : folder + L"\\" + kSpoolName;
}

std::wstring CLogFiles::Append(const std::wstring& log, const Content& content) {
    return AppendFileBytes(log, content);
}

std::wstring CLogFiles::ReadAt(const std::wstring& log, std::uint64_t offset, std::size_t size,
                               std::string& bytes) {
    return ReadFileRange(log, offset, size, bytes);
}

std::wstring CLogFiles::Read(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    if (::GetFileAttributesW(SystemPath(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {};  // nothing kept
    }
    FileBytes file = ReadFileBytes(path, kMaxSpoolBytes);
    bytes = std::move(file.bytes);
    return file.failure;
}

std::wstring CLogFiles::Write(const std::wstring& path, std::string_view bytes) {
    if (bytes.empty()) {
        if (::DeleteFileW(SystemPath(path).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND)
            return {};
        return fw::SystemReason(::GetLastError());
    }
    // The folder of the program's own in the local application data folder, made at need.
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (!::CreateDirectoryW(SystemPath(folder).c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS)
        return fw::SystemReason(::GetLastError());
    const SaveOutcome saved = ReplaceFileBytes(path, bytes);
    return saved.newAt == SaveFile::Target ? std::wstring() : saved.failure;
}

CSpoolTurn::CSpoolTurn() : m_mutex(::CreateMutexW(nullptr, FALSE, L"Local\\Orvanta log spool")) {
    // A copy of the program that ended while it held the turn leaves it abandoned, and so free.
    const DWORD waited = m_mutex ? ::WaitForSingleObject(m_mutex, 5000) : WAIT_FAILED;
    m_owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

CSpoolTurn::~CSpoolTurn() {
    if (m_owned)
        ::ReleaseMutex(m_mutex);
    if (m_mutex)
        ::CloseHandle(m_mutex);
}
