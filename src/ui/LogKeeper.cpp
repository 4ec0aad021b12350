#include "ui/LogKeeper.h"

#include <utility>

#include "framework/MessageBox.h"
#include "framework/SystemFiles.h"
#include "text/Unicode.h"
#include "ui/Messages.h"

namespace {

LogTime LocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::wstring ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return ::GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

}  // namespace

void ChooseLogFile(HWND owner) {
    // The chosen file is added to, never emptied: the dialog asks nothing about replacing it.
    const auto path =
        fw::AskFilePath(owner, fw::FileDialog::AddTo, kLogFilter, L"csv", StoredLogPlace().path);
    if (path && !StoreLogFile(*path))
        fw::MessageBox(owner, kRegistryWriteFailed, MB_OK);
}

void CLogKeeper::Start() {
    CSpoolTurn turn;
    const LogPlace place = Place();
    m_log->Flush(place.path, place.problem);
}

LogPlace CLogKeeper::Place() {
    if (!m_log)
        m_log.emplace(m_files, SpoolPath());
    LogPlace place = StoredLogPlace();
    m_logPath = place.path;
    m_logProblem = place.problem;
    return place;
}

void CLogKeeper::WriteStarting(bool earlierStillSending) {
    EndWait(earlierStillSending ? LogResult::Stopped : LogResult::NoAnswer);
}

void CLogKeeper::Answered(bool right) {
    EndWait(right ? LogResult::Ok : LogResult::WrongAnswer);
}

bool CLogKeeper::EndWait(LogResult result, bool quiet) {
    if (!m_awaited)
        return false;
    m_awaited->result = result;
    Add(*std::exchange(m_awaited, std::nullopt), quiet);
    return true;
}

void CLogKeeper::Log(LogRecord record, LogResult result) {
    record.result = result;
    Add(std::move(record));
}

void CLogKeeper::End(bool stillSending) {
    if (!EndWait(stillSending ? LogResult::Stopped : LogResult::NoAnswer, true) && m_log &&
        m_log->KeptCount() > 0)
        Start();
}

bool CLogKeeper::Add(LogRecord record, bool quiet) {
    if (m_computer.empty())
        m_computer = ComputerName();
    record.time = LocalTime();
    record.computer = m_computer;
    std::wstring text;
    {
        // The spool is taken for the line alone: the message comes after the turn is given up,
        // so that another copy of the program never waits for it.
        CSpoolTurn turn;
        const LogPlace place = Place();
        const std::wstring failure = m_log->Add(place.path, FormatLogLine(record), place.problem);
        if (failure.empty())
            return true;
        const int kept = m_log->KeptCount();
        const std::wstring spool = m_log->Unspooled().empty() ? m_log->Spool() : std::wstring();
        text = place.problem.empty() ? CannotLogMessage(place.path, failure, kept, spool)
                                     : BadLogSettingMessage(place.problem, kept, spool);
    }
    if (!quiet)
        fw::MessageBox(m_owner, text, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CLogKeeper::ReportKept() const {
    if (!m_log || m_log->KeptCount() == 0)
        return;
    // Where not even the spool took them, the message shows the lines: Ctrl+C copies a message
    // box's text. The lines are the log's own UTF-8.
    fw::MessageBox(
        nullptr,
        UnwrittenLogMessage(m_logPath, m_logProblem, m_log->KeptCount(), m_log->Spool(),
                            m_log->SpoolFailure(), DecodeUtf8(m_log->Unspooled()).value_or(L"")),
        MB_OK | MB_ICONEXCLAMATION);
}
