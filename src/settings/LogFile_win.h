// Where the production log and its spool are kept: the registry value "LogFile" under the
// settings key, the log file itself, appended to line by line, and the spool with its note in
// the user's local application data folder.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "settings/ProductionLog.h"
#include "settings/Settings.h"

// The stored log's place, or the Documents folder's log when none is stored.
LogPlace StoredLogPlace();
// Stores the path; false when the registry refused it.
bool StoreLogFile(const std::wstring& path);
// The log's bytes for reading it back: the whole file, or where it is longer than `limit`, its
// newest bytes from the first whole line on (`newestOnly`). Returns the system's reason when it
// could not be read; else empty.
std::wstring ReadLogBytes(const std::wstring& path, std::size_t limit, std::string& bytes,
                          bool& newestOnly);
// The spool's full path; empty when the system cannot name the folder.
std::wstring SpoolPath();

class CLogFiles final : public CProductionLog::Files {
public:
    std::wstring Append(const std::wstring& log, const Content& content) override;
    std::wstring ReadAt(const std::wstring& log, std::uint64_t offset, std::size_t size,
                        std::string& bytes) override;
    std::wstring Read(const std::wstring& path, std::string& bytes) override;
    std::wstring Write(const std::wstring& path, std::string_view bytes) override;
};

// The spool is this program's alone while an object of this class lives: other copies of the
// program on this computer wait for their turn (a few seconds at most, then they go ahead).
class CSpoolTurn {
public:
    CSpoolTurn();
    ~CSpoolTurn();
    CSpoolTurn(const CSpoolTurn&) = delete;
    CSpoolTurn& operator=(const CSpoolTurn&) = delete;

private:
    HANDLE m_mutex;
    bool m_owned = false;
};
