#include "settings/ProductionLog.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <utility>

#include "text/CsvField.h"
#include "text/Unicode.h"

namespace {

constexpr char kHead[] =
    "\xEF\xBB\xBFTime,Computer,Serial,Result,Method,Contacts,Configuration file,Image\r\n";

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

const char* ResultText(LogResult result) {
    switch (result) {
        case LogResult::Ok:
            return "ok";
        case LogResult::WrongAnswer:
            return "wrong answer";
        case LogResult::NoAnswer:
            return "no answer";
        case LogResult::Stopped:
            return "stopped";
        case LogResult::Failed:
            break;
    }
    return "failed";
}

// The spool is a CSV file of its own, header first, that a spreadsheet opens as well.
std::string SpoolBytes(std::string_view lines) {
    return lines.empty() ? std::string() : kHead + std::string(lines);
}
std::string SpooledLines(std::string bytes) {
    if (bytes.starts_with(kHead))
        bytes.erase(0, sizeof kHead - 1);
    return bytes;
}

}  // namespace

LogRecord MakeLogRecord(const Configuration& config, LogMethod method, std::wstring configFile,
                        std::vector<std::uint8_t> image) {
    return {.time = {},
            .computer = {},
            .serial = config.serial,
            .result = LogResult::Ok,
            .method = method,
            .contacts = config.contacts,
            .configFile = std::move(configFile),
            .image = std::move(image)};
}

std::string FormatLogLine(const LogRecord& record) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    const LogTime& t = record.time;
    std::string line = std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) +
                       " " + TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" +
                       TwoDigits(t.second) + ",";
    AppendCsvField(line, record.computer);
    line += ',';
    line += std::to_string(record.serial);
    line += ',';
    line += ResultText(record.result);
    line += ',';
    line += record.method == LogMethod::Leds ? "LEDs," : "library,";
    line += std::to_string(record.contacts) + ",";
    AppendCsvField(line, record.configFile);
    line += ',';
    for (std::uint8_t byte : record.image) {
        if (line.back() != ',')
            line += ' ';
        line += kHexDigits[byte >> 4];
        line += kHexDigits[byte & 0x0F];
    }
    return line + "\r\n";
}

std::string LogPrefix(std::uint64_t size, bool endsInLineFeed) {
    if (size == 0)
        return kHead;
    return endsInLineFeed ? std::string() : std::string("\r\n");
}

int CountLogLines(std::string_view lines) {
    int count = 0;
    for (CsvRecords records(lines); !records.AtEnd(); ++count)
        records.Next();
    return count;
}

namespace {

std::optional<std::int32_t> NumberOf(const std::string& text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return number;
}

std::optional<std::wstring> TextOf(std::string_view field) {
    return DecodeUtf8(CsvText(field));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ParseImageText(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (text[i] == ' ' && !bytes.empty())
            ++i;
        std::uint8_t byte = 0;
        const char* const from = text.data() + i;
        if (i + 2 > text.size() || std::from_chars(from, from + 2, byte, 16).ptr != from + 2)
            return std::nullopt;
        bytes.push_back(byte);
    }
    return bytes;
}

LogReading ReadLog(std::string_view bytes) {
    LogReading reading;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    for (CsvRecords records(bytes); !records.AtEnd();) {
        const std::span<const std::string> f = records.Next();
        if (f.size() == 8 && f[0] == "Time" && f[7] == "Image")
            continue;
        const auto serial = f.size() == 8 ? NumberOf(f[2]) : std::nullopt;
        const auto contacts = serial ? NumberOf(f[5]) : std::nullopt;
        const auto image = contacts ? ParseImageText(f[7]) : std::nullopt;
        auto time = image ? TextOf(f[0]) : std::nullopt;
        auto result = time ? TextOf(f[3]) : std::nullopt;
        auto file = result ? TextOf(f[6]) : std::nullopt;
        if (!file) {
            ++reading.skipped;
            continue;
        }
        reading.lines.push_back(
            {std::move(*time), *serial, std::move(*result), *contacts, std::move(*file), *image});
    }
    return reading;
}

std::wstring LogListSummary(std::wstring_view logPath, std::size_t listed, int skipped,
                            bool newestOnly) {
    std::wstring text = (newestOnly ? L"The newest " : L"") + std::to_wstring(listed) +
                        (listed == 1 ? L" write" : L" writes") + L" in \"" + std::wstring(logPath) +
                        L"\", newest first.";
    if (skipped > 0)
        text +=
            L" " + std::to_wstring(skipped) +
            (skipped == 1 ? L" line is no log line and is" : L" lines are no log lines and are") +
            L" left out.";
    return text;
}

std::wstring CannotReadLogMessage(std::wstring_view logPath, std::wstring_view reason) {
    return L"Cannot read the production log \"" + std::wstring(logPath) + L"\":\n" +
           std::wstring(reason);
}

std::wstring NoKeyMapMessage(std::int32_t serial) {
    return L"The line of serial number " + std::to_wstring(serial) +
           L" holds no key map this program can take: its image does not fit its contacts, or "
           L"its check byte is wrong. The fields are as they were.";
}

std::wstring FileNameOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/:");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

namespace {

// "These 2 lines are kept in "S.csv" and go", or where no spool took them, "... until the
// program ends and go".
std::wstring KeptLines(int kept, std::wstring_view spool) {
    const std::wstring lines =
        kept == 1 ? L"This line is kept" : L"These " + std::to_wstring(kept) + L" lines are kept";
    const std::wstring where =
        spool.empty() ? L" until the program ends" : L" in \"" + std::wstring(spool) + L"\"";
    return lines + where + (kept == 1 ? L" and goes" : L" and go");
}

}  // namespace

std::wstring CannotLogMessage(std::wstring_view logPath, std::wstring_view reason, int kept,
                              std::wstring_view spool) {
    return L"Cannot write the production log \"" + std::wstring(logPath) + L"\":\n" +
           std::wstring(reason) + L"\n" + KeptLines(kept, spool) +
           L" into the log before the next one.";
}

std::wstring BadLogSettingMessage(std::wstring_view problem, int kept, std::wstring_view spool) {
    return std::wstring(problem) + L"\n" + KeptLines(kept, spool) +
           L" into the log once the setting names a file: choose one with \"Production log...\" "
           L"in the system menu.";
}

std::wstring UnwrittenLogMessage(std::wstring_view logPath, std::wstring_view problem, int count,
                                 std::wstring_view spool, std::wstring_view failure,
                                 std::wstring_view lines) {
    const std::wstring text = problem.empty() ? L"The production log \"" + std::wstring(logPath) +
                                                    L"\" could not be written.\n"
                                              : std::wstring(problem) + L"\n";
    if (!failure.empty()) {
        return text + L"Nor could \"" + std::wstring(spool) + L"\": " + std::wstring(failure) +
               L"\nThe lines not in it:\n" + std::wstring(lines);
    }
    return text +
           (count == 1 ? L"The line not in it is"
                       : L"The " + std::to_wstring(count) + L" lines not in it are") +
           L" kept in \"" + std::wstring(spool) + L"\" and go into the log at the next start.";
}

CProductionLog::CProductionLog(Files& files, std::wstring spool)
    : m_files(files), m_spool(std::move(spool)), m_note(m_spool + L".moving") {}

bool CProductionLog::Settle(std::string& spooled, std::wstring& failure) {
    std::string note;
    failure = m_files.Read(m_note, note);
    if (!failure.empty())
        return false;
    if (note.empty())
        return true;
    // The note: "offset length CR LF path": a write of `length` bytes of lines went to
    // `offset` in that log, unless it never happened.
    std::uint64_t offset = 0;
    std::size_t length = 0;
    const char* const last = note.data() + note.size();
    const auto [space, offsetError] = std::from_chars(note.data(), last, offset);
    const auto [lineEnd, lengthError] = std::from_chars(std::min(space + 1, last), last, length);
    const auto log = DecodeUtf8(std::string_view(std::min(lineEnd + 2, last), last));
    // The spool holds the lines of that write that were in it then, and those that went into
    // it after the write reported a failure: as many of them as it holds are compared.
    length = std::min(length, spooled.size());
    if (offsetError == std::errc() && lengthError == std::errc() && log && length > 0) {
        std::string found;
        failure = m_files.ReadAt(*log, offset, length, found);
        if (!failure.empty())
            return false;  // neither taken again nor dropped until the log can tell
        if (found == std::string_view(spooled).substr(0, length)) {
            failure = m_files.Write(m_spool, SpoolBytes(std::string_view(spooled).substr(length)));
            if (!failure.empty())
                return false;
            spooled.erase(0, length);
        }
    }
    failure = m_files.Write(m_note, {});
    return failure.empty();
}

std::wstring CProductionLog::Add(const std::wstring& log, std::string line,
                                 std::wstring_view logProblem) {
    std::string spooled;
    std::wstring failure = m_files.Read(m_spool, spooled);
    spooled = SpooledLines(std::move(spooled));
    const bool readable = failure.empty();
    const bool settled = readable && Settle(spooled, failure);
    m_memory += line;
    const std::string batch = spooled + m_memory;
    if (settled && logProblem.empty() && !batch.empty()) {
        std::wstring noteFailure;
        failure = m_files.Append(log, [&](std::uint64_t size, bool endsInLineFeed) {
            std::string bytes = LogPrefix(size, endsInLineFeed);
            // The note goes on the disk before the lines go into the log: should the program
            // end, or the log report a failure after it took them, the lines are not added
            // twice.
            std::string note =
                std::to_string(size + bytes.size()) + " " + std::to_string(batch.size()) + "\r\n";
            AppendUtf8(note, log);
            noteFailure = m_files.Write(m_note, note);
            return noteFailure.empty() ? bytes + batch : std::string();
        });
        if (failure.empty())
            failure = noteFailure;
        if (failure.empty()) {
            m_memory.clear();
            m_spoolFailure.clear();
            m_keptCount = 0;
            // Should either fail, the note tells the next attempt that the lines are in.
            if (spooled.empty() || m_files.Write(m_spool, {}).empty())
                m_files.Write(m_note, {});
            return {};
        }
    } else if (!logProblem.empty()) {
        failure = logProblem;
    }
    if (!readable) {
        m_spoolFailure = failure;  // written now, it would lose what it holds
    } else if (!m_memory.empty()) {
        m_spoolFailure = m_files.Write(m_spool, SpoolBytes(spooled + m_memory));
        if (m_spoolFailure.empty()) {
            spooled += m_memory;
            m_memory.clear();
        }
    }
    m_keptCount = CountLogLines(spooled) + CountLogLines(m_memory);
    return failure;
}

std::wstring CProductionLog::Flush(const std::wstring& log, std::wstring_view logProblem) {
    return Add(log, {}, logProblem);
}
