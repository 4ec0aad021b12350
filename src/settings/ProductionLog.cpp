#include "settings/ProductionLog.h"

#include <utility>

#include "settings/Utf8.h"

namespace {

constexpr char kHeader[] = "Time,Computer,Serial,Result,Method,Contacts,Configuration file,Image";

// A field as a spreadsheet reads it back: quoted, with its quotes doubled, when it holds a
// comma, a quote or a line break.
void AppendField(std::string& line, std::wstring_view text) {
    std::string field;
    AppendUtf8(field, text);
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        line += field;
        return;
    }
    line += '"';
    for (char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

// "2026-12-07 15:30:12", or with the other separator between hours, minutes and seconds.
std::string TimeText(const LogTime& t, const char* colon = ":") {
    return std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " +
           TwoDigits(t.hour) + colon + TwoDigits(t.minute) + colon + TwoDigits(t.second);
}

const char* ResultText(LogResult result) {
    switch (result) {
        case LogResult::Ok:
            return "ok";
        case LogResult::WrongAnswer:
            return "wrong answer";
        case LogResult::Failed:
            break;
    }
    return "failed";
}

}  // namespace

std::string FormatLogLine(const LogRecord& record) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string line = TimeText(record.time) + ",";
    AppendField(line, record.computer);
    line += ',';
    line += std::to_string(record.serial);
    line += ',';
    line += ResultText(record.result);
    line += ',';
    line += record.method == LogMethod::Leds ? "LEDs," : "library,";
    line += std::to_string(record.contacts) + ",";
    AppendField(line, record.configFile);
    line += ',';
    for (std::uint8_t byte : record.image) {
        line += kHexDigits[byte >> 4];
        line += kHexDigits[byte & 0x0F];
    }
    return line + "\r\n";
}

std::string LogFileBytes(std::string_view lines, bool fileIsEmpty) {
    std::string bytes;
    if (fileIsEmpty)
        bytes = std::string("\xEF\xBB\xBF") + kHeader + "\r\n";
    return bytes.append(lines);
}

std::wstring FileNameOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/:");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring CannotLogMessage(std::wstring_view logPath, std::wstring_view reason, int pending) {
    const std::wstring kept =
        pending == 1 ? L"This line is kept and goes"
                     : L"These " + std::to_wstring(pending) + L" lines are kept and go";
    return L"Cannot write the production log \"" + std::wstring(logPath) + L"\":\n" +
           std::wstring(reason) + L"\n" + kept + L" into the log before the next one.";
}

std::wstring UnwrittenLogMessage(std::wstring_view logPath, int count, std::wstring_view keptPath,
                                 std::wstring_view failure, std::wstring_view lines) {
    const std::wstring text =
        L"The production log \"" + std::wstring(logPath) + L"\" could not be written.\n";
    if (!failure.empty()) {
        return text + L"Nor could \"" + std::wstring(keptPath) + L"\": " + std::wstring(failure) +
               L"\nThe lines not in it:\n" + std::wstring(lines);
    }
    return text +
           (count == 1 ? L"The line not in it is"
                       : L"The " + std::to_wstring(count) + L" lines not in it are") +
           L" kept in \"" + std::wstring(keptPath) + L"\".";
}

std::wstring UnwrittenLogName(const LogTime& time) {
    const std::string stamp = TimeText(time, "");
    return L"Orvanta log unwritten " + std::wstring(stamp.begin(), stamp.end()) + L".csv";
}

std::wstring CProductionLog::Add(const std::wstring& path, std::string line) {
    m_pending += line;
    ++m_pendingCount;
    return Flush(path);
}

std::wstring CProductionLog::Flush(const std::wstring& path) {
    if (m_pending.empty())
        return {};
    // The kept lines and the new one go in one write: a line is never half in the file, and
    // they stay in the order of the writes.
    std::wstring failure = m_writer.Append(path, m_pending);
    if (failure.empty())
        TakePending();
    return failure;
}

std::string CProductionLog::TakePending() {
    m_pendingCount = 0;
    return std::exchange(m_pending, {});
}
