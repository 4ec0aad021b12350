// Where the production log is kept: the registry value "LogFile" under the settings key, and
// the file itself, appended to line by line.
#pragma once

#include <string>
#include <string_view>

#include "settings/ProductionLog.h"

// The stored path; empty when none is stored (or it is no text).
std::wstring StoredLogFile();
// Stores the path; false when the registry refused it.
bool StoreLogFile(const std::wstring& path);

// Appends lines to the log file, with the header first in a new or empty file.
class CLogFileWriter final : public CProductionLog::Writer {
public:
    std::wstring Append(const std::wstring& path, std::string_view lines) override;
};
