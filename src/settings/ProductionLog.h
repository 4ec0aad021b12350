// The production log: one CSV line for every key box written, so that a workshop can tell
// later which box got which configuration. A line the log cannot take goes at once into a
// spool file on the bench's own disk, and from there into the log, oldest first, before the
// next line: every line is in one of the two, never in both.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "programming/Configuration.h"

enum class LogResult { Ok, WrongAnswer, Failed, NoAnswer, Stopped };
enum class LogMethod { Leds, Library };

// Local time, as the clock shows it.
struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// One write as the log keeps it.
struct LogRecord {
    LogTime time;             // when the key box answered, the wait ended or the write ended
    std::wstring computer;    // the computer's name
    std::int32_t serial = 0;  // the serial number written into the image
    LogResult result = LogResult::Ok;
    LogMethod method = LogMethod::Leds;
    std::int32_t contacts = 0;
    std::wstring configFile;          // the file last opened or saved, without its folder; or empty
    std::vector<std::uint8_t> image;  // the configuration image of the write (43 or 109 bytes)
};

// The record of a write of `config` (its serial number and contacts) as `image`, with
// `configFile` the file last opened or saved, without its folder; the time, computer and result
// follow.
LogRecord MakeLogRecord(const Configuration& config, LogMethod method, std::wstring configFile,
                        std::vector<std::uint8_t> image);

// The name of the log in the Documents folder when no other place is set, and the spool's
// place in the local application data folder.
inline constexpr wchar_t kDefaultLogName[] = L"Orvanta log.csv";
inline constexpr wchar_t kSpoolName[] = L"Orvanta\\unwritten log lines.csv";

// The line for a record: UTF-8, ending in CR LF. A text field that a spreadsheet would run as
// a formula gets a leading apostrophe; a field is quoted where a comma, a quote or a line break
// needs it; the image is written as hex bytes separated by blanks, which no spreadsheet takes
// for a number.
std::string FormatLogLine(const LogRecord& record);

// What goes into a log of `size` bytes before new lines: the UTF-8 byte-order mark (so that a
// spreadsheet reads the file as UTF-8) and the header for a new or empty file, a line end after
// a last line that lost its own (a torn write, a hand edit); else nothing.
std::string LogPrefix(std::uint64_t size, bool endsInLineFeed);

// The records in CSV text: line ends inside quoted fields do not count.
int CountLogLines(std::string_view lines);

// A line of the log as it is read back.
struct LoggedWrite {
    std::wstring time;
    std::int32_t serial = 0;
    std::wstring result;
    std::int32_t contacts = 0;
    std::wstring configFile;  // without the apostrophe a formula-like name was given
    std::vector<std::uint8_t> image;
};
struct LogReading {
    std::vector<LoggedWrite> lines;  // in the order of the file
    int skipped = 0;                 // lines that are no log lines (the header not counted)
};
// The log as it is found: with or without the byte-order mark, lines ending in CR LF or LF,
// quoted fields, the image in either form. A line without the eight fields, a serial number
// or contacts that are no number, or an image that is no hex, is skipped.
LogReading ReadLog(std::string_view bytes);
// The Image column: "00 0a 30" or, as older logs wrote it, "000a30"; nothing for other text.
std::optional<std::vector<std::uint8_t>> ParseImageText(std::string_view text);

// The texts of the key maps taken from the log: the line over the list (how many lines of which
// log it lists, newest first, and how many it left out; `newestOnly`: the log was too long to
// be read whole), the log that could not be read, and the line whose image is no key map.
std::wstring LogListSummary(std::wstring_view logPath, std::size_t listed, int skipped,
                            bool newestOnly);
std::wstring CannotReadLogMessage(std::wstring_view logPath, std::wstring_view reason);
std::wstring NoKeyMapMessage(std::int32_t serial);

// "C:\Logs\box.ini" -> "box.ini".
std::wstring FileNameOf(std::wstring_view path);

// The message when the log could not take the line: the reason, and where the `kept` lines
// wait (the spool, or only the program's memory when `spool` is empty).
std::wstring CannotLogMessage(std::wstring_view logPath, std::wstring_view reason, int kept,
                              std::wstring_view spool);
// The same when the log's setting names no file: `problem` says what is wrong with it.
std::wstring BadLogSettingMessage(std::wstring_view problem, int kept, std::wstring_view spool);
// The message at exit about `count` lines the log did not take (`problem`: what is wrong with
// the log's setting, if anything): the spool that keeps them, or, when the spool could not be
// written either (`failure`), the lines themselves.
std::wstring UnwrittenLogMessage(std::wstring_view logPath, std::wstring_view problem, int count,
                                 std::wstring_view spool, std::wstring_view failure,
                                 std::wstring_view lines);

// The log's lines on their way to the file, through the spool.
class CProductionLog {
public:
    // The files the log and the spool live in. Each call returns the system's reason when it
    // failed, or empty.
    class Files {
    public:
        // Adds to the end of the log in turn with other programs appending to it, making it if
        // it is missing. `content` is called in that turn with the file's size and whether its
        // last byte is a line feed, and returns the bytes to add: all of them go in one write.
        using Content = std::function<std::string(std::uint64_t size, bool endsInLineFeed)>;
        virtual std::wstring Append(const std::wstring& log, const Content& content) = 0;
        // `size` bytes of the log from `offset`, fewer where it ends.
        virtual std::wstring ReadAt(const std::wstring& log, std::uint64_t offset, std::size_t size,
                                    std::string& bytes) = 0;
        // A file of the bench's own (the spool and its note), read whole: a missing one reads
        // empty. Writing replaces it whole and on the disk; writing nothing removes it.
        virtual std::wstring Read(const std::wstring& path, std::string& bytes) = 0;
        virtual std::wstring Write(const std::wstring& path, std::string_view bytes) = 0;

    protected:
        ~Files() = default;
    };

    // `spool`: the spool's path. Next to it, while its lines are on their way into a log, a
    // note says where they went; a program that dies meanwhile finds them there at its next
    // start, in the log or not, and so never adds them twice.
    CProductionLog(Files& files, std::wstring spool);

    // Writes the spool's lines and then `line` into the log, in one write. Where the log cannot
    // take them (`logProblem`, when not empty, says why before it is tried), `line` goes into
    // the spool. Returns the reason the line is not in the log, or empty.
    std::wstring Add(const std::wstring& log, std::string line, std::wstring_view logProblem = {});
    // The same without a new line: the spool's lines into the log, if there are any.
    std::wstring Flush(const std::wstring& log, std::wstring_view logProblem = {});

    // Lines not in the log: in the spool, or in memory where the spool could not be written.
    int KeptCount() const { return m_keptCount; }
    const std::wstring& Spool() const { return m_spool; }
    // Lines that neither the log nor the spool took, oldest first.
    const std::string& Unspooled() const { return m_memory; }
    // Why the spool could not take them; empty while it could.
    const std::wstring& SpoolFailure() const { return m_spoolFailure; }

private:
    // A note left by a move that never finished: whether its lines are in the log decides
    // whether they leave the spool. False when that cannot be told now.
    bool Settle(std::string& spooled, std::wstring& failure);

    Files& m_files;
    std::wstring m_spool;
    std::wstring m_note;  // the spool's path with ".moving" added
    std::string m_memory;
    std::wstring m_spoolFailure;
    int m_keptCount = 0;
};
