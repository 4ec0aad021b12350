// The main dialog's production log: the line of every write, and the write over the lock LEDs
// whose answer is awaited, which leaves its line whichever way its wait ends.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/LogFile_win.h"
#include "settings/ProductionLog.h"

// "Production log...": the user chooses the log file, which is stored; a message when the
// registry refused it.
void ChooseLogFile(HWND owner);

class CLogKeeper {
public:
    // `owner`: the window over the messages about the log.
    void SetOwner(HWND owner) { m_owner = owner; }

    // Lines a run before could not log go into the log now, without a word where they cannot.
    void Start();
    // A write begins. The write whose answer was awaited ends without one: `stopped` while its
    // image was still going out, else `no answer`.
    void WriteStarting(bool earlierStillSending);
    // A write over the LEDs has sent, or is sending, `record`'s image: its answer is awaited.
    void AwaitAnswer(LogRecord record) { m_awaited = std::move(record); }
    void Answered(bool right);
    // A write that is over as it is logged (through the library), with its result.
    void Log(LogRecord record, LogResult result);
    // The program ends: the awaited write's line goes in as the wait ends, and the spool once
    // more into the log.
    void End(bool stillSending);
    // After the dialog has gone: a message names the lines the log did not take, and where
    // they wait.
    void ReportKept() const;

private:
    // The line of a write that has ended now. False when it could not go into the log.
    bool Add(LogRecord record, bool quiet = false);
    // The write whose answer was awaited ends with `result`; false when none was awaited.
    bool EndWait(LogResult result, bool quiet = false);
    // Where the log is now; the log is made on first use, once the spool's folder is known.
    LogPlace Place();

    HWND m_owner = nullptr;
    CLogFiles m_files;
    std::optional<CProductionLog> m_log;  // made once the spool's folder is known
    std::optional<LogRecord> m_awaited;
    std::wstring m_logPath;     // where the last line was meant to go
    std::wstring m_logProblem;  // what was wrong with the log's setting then
    std::wstring m_computer;
};
