// The production log: one CSV line for every key box written, so that a workshop can tell
// later which box got which configuration. Lines that cannot be written yet are kept, in
// order, and go out before the next one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class LogResult { Ok, WrongAnswer, Failed };
enum class LogMethod { Leds, Library };

// Local time, as the clock shows it.
struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// One write as the log keeps it.
struct LogRecord {
    LogTime time;             // when the key box answered, or the library write ended
    std::wstring computer;    // the computer's name
    std::int32_t serial = 0;  // as the serial field showed it at the write
    LogResult result = LogResult::Ok;
    LogMethod method = LogMethod::Leds;
    std::int32_t contacts = 0;
    std::wstring configFile;          // the file last opened or saved, without its folder; or empty
    std::vector<std::uint8_t> image;  // the bytes sent, or the registers written in their order
};

// The name of the log in the Documents folder when no other place is set.
inline constexpr wchar_t kDefaultLogName[] = L"Orvanta log.csv";

// The line for a record: UTF-8, fields quoted where a comma, a quote or a line break needs it,
// ending in CR LF.
std::string FormatLogLine(const LogRecord& record);

// What goes into the file for `lines`: a file that is new or empty first gets the UTF-8
// byte-order mark (so a spreadsheet reads it as UTF-8) and the header line.
std::string LogFileBytes(std::string_view lines, bool fileIsEmpty);

// "C:\Logs\box.ini" -> "box.ini".
std::wstring FileNameOf(std::wstring_view path);

// The message when the log could not be written and `pending` lines wait for the next write.
std::wstring CannotLogMessage(std::wstring_view logPath, std::wstring_view reason, int pending);
// The message at exit about `count` lines the log did not take: the file that keeps them, or,
// when that file could not be written either (`failure`), the lines themselves.
std::wstring UnwrittenLogMessage(std::wstring_view logPath, int count, std::wstring_view keptPath,
                                 std::wstring_view failure, std::wstring_view lines);
// The file that takes the lines still unwritten at exit, in the Documents folder, named after
// the time: "Orvanta log unwritten 2026-12-07 153012.csv".
std::wstring UnwrittenLogName(const LogTime& time);

// The log's lines on their way to the file.
class CProductionLog {
public:
    // Appends whole lines to the file in one write (see LogFileBytes), creating it if need
    // be. Returns the system's reason when the file could not be written, with nothing
    // written; empty when all went in.
    class Writer {
    public:
        virtual std::wstring Append(const std::wstring& path, std::string_view lines) = 0;

    protected:
        ~Writer() = default;
    };

    explicit CProductionLog(Writer& writer) : m_writer(writer) {}

    // Adds a line and writes every line not yet written, oldest first, into `path`. Returns the
    // reason the file could not be written (the lines are then kept), or empty.
    std::wstring Add(const std::wstring& path, std::string line);
    // Tries the lines not yet written once more; the reason they stay, or empty.
    std::wstring Flush(const std::wstring& path);

    // The lines not yet written, oldest first; taking them empties the log.
    const std::string& Pending() const { return m_pending; }
    int PendingCount() const { return m_pendingCount; }
    std::string TakePending();

private:
    Writer& m_writer;
    std::string m_pending;
    int m_pendingCount = 0;
};
