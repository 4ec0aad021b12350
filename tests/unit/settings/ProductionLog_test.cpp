#include "settings/ProductionLog.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

LogRecord Record() {
    return {.time = {2026, 1, 2, 3, 4, 5},
            .computer = L"BENCH-2",
            .serial = 1042,
            .contacts = 4,
            .configFile = L"north door.ini",
            .image = {0x00, 0x1F, 0xAB}};
}

// A field is quoted only when a spreadsheet would otherwise split it, and reads back whole;
// one that starts like a formula is taken as text; the image never reads as a number.
TEST(ProductionLog, LinesAsASpreadsheetReadsThem) {
    const struct {
        void (*change)(LogRecord&);
        const char* line;
    } rows[] = {
        {[](LogRecord&) {}, "2026-01-02 03:04:05,BENCH-2,1042,ok,LEDs,4,north door.ini,00 1f ab"},
        {[](LogRecord& r) {
             r.time = {2027, 12, 31, 23, 59, 9};
             r.result = LogResult::WrongAnswer;
             r.serial = -2147483647 - 1;
             r.computer = L"BENCH,2";
             r.configFile = L"say \"hi\" then.ini";
             r.image = {0x30, 0x30, 0x31};
         },
         "2027-12-31 23:59:09,\"BENCH,2\",-2147483648,wrong answer,LEDs,4,\"say \"\"hi\"\" "
         "then.ini\",30 30 31"},
        {[](LogRecord& r) {
             r.method = LogMethod::Library;
             r.result = LogResult::Failed;
             r.computer = L"B\u00e4nk\r\n7\xD800";  // half a surrogate pair: U+FFFD
             r.configFile.clear();
             r.image.clear();
         },
         "2026-01-02 03:04:05,\"B\xC3\xA4nk\r\n7\xEF\xBF\xBD\",1042,failed,library,4,,"},
        {[](LogRecord& r) {
             r.result = LogResult::NoAnswer;
             r.computer = L"@SUM(A1)";
             r.configFile = L"=1+1.ini";
         },
         "2026-01-02 03:04:05,'@SUM(A1),1042,no answer,LEDs,4,'=1+1.ini,00 1f ab"},
        {[](LogRecord& r) {
             r.result = LogResult::Stopped;
             r.computer = L"-2";
             r.configFile = L"+a,b.ini";
         },
         "2026-01-02 03:04:05,'-2,1042,stopped,LEDs,4,\"'+a,b.ini\",00 1f ab"},
        {[](LogRecord& r) { r.configFile = L"\tx.ini"; },
         "2026-01-02 03:04:05,BENCH-2,1042,ok,LEDs,4,'\tx.ini,00 1f ab"},
    };
    for (const auto& row : rows) {
        LogRecord r = Record();
        row.change(r);
        EXPECT_EQ(FormatLogLine(r), std::string(row.line) + "\r\n");
    }
    for (const wchar_t* path : {L"C:\\Key maps\\box.ini", L"box.ini", L"C:box.ini", L"//s/box.ini"})
        EXPECT_EQ(FileNameOf(path), L"box.ini") << path;
}

// The header starts a new or empty file only; a last line without its line end gets one
// before the new lines, so they never run on in the same row.
TEST(ProductionLog, WhatGoesBeforeNewLines) {
    EXPECT_EQ(LogPrefix(0, false),
              "\xEF\xBB\xBFTime,Computer,Serial,Result,Method,Contacts,Configuration file,Image"
              "\r\n");
    EXPECT_EQ(LogPrefix(90, true), "");
    EXPECT_EQ(LogPrefix(89, false), "\r\n");
    EXPECT_EQ(CountLogLines("a\r\n\"b\r\nc\",d\r\n"), 2);
}

// The log as it is found: what the program writes, an older line with its image unspaced and
// LF alone, a quoted name with a line break, and lines that are no log lines.
TEST(ProductionLog, ReadsTheLogAsItIsFound) {
    LogRecord r = Record();
    r.configFile = L"=a,\"b\"\r\nc.ini";
    const std::string lines = FormatLogLine(Record()) + "x,torn\r\n" + FormatLogLine(r) +
                              "2026-01-02 03:04:06,B,7,ok,LEDs,9,,001fab\n" +
                              "2026-01-02 03:04:07,B,x,ok,LEDs,9,,00\n" +
                              "2026-01-02 03:04:08,B,7,ok,LEDs,9,,0 1f\n,,,\r\n";
    for (const std::string& log : {LogPrefix(0, true) + lines, lines}) {
        const LogReading reading = ReadLog(log);
        EXPECT_EQ(reading.skipped, 4);
        ASSERT_EQ(reading.lines.size(), 3u);
        const LoggedWrite& first = reading.lines[0];
        EXPECT_EQ(first.time, L"2026-01-02 03:04:05");
        EXPECT_EQ(first.serial, 1042);
        EXPECT_EQ(first.result, L"ok");
        EXPECT_EQ(first.contacts, 4);
        EXPECT_EQ(first.configFile, L"north door.ini");
        EXPECT_EQ(reading.lines[1].configFile, r.configFile);
        EXPECT_EQ(reading.lines[2].serial, 7);
        for (const LoggedWrite& line : reading.lines)
            EXPECT_EQ(line.image, Record().image);
    }
    EXPECT_EQ(ParseImageText(""), std::vector<std::uint8_t>{});
    EXPECT_FALSE(ParseImageText("00 1"));
    EXPECT_FALSE(ParseImageText("0g"));
}

TEST(ProductionLog, MessagesSayWhereTheLinesWait) {
    EXPECT_EQ(CannotLogMessage(L"L.csv", L"In use.", 2, L"S.csv"),
              L"Cannot write the production log \"L.csv\":\nIn use.\nThese 2 lines are kept in "
              L"\"S.csv\" and go into the log before the next one.");
    EXPECT_EQ(CannotLogMessage(L"L.csv", L"In use.", 1, L""),
              L"Cannot write the production log \"L.csv\":\nIn use.\nThis line is kept until the "
              L"program ends and goes into the log before the next one.");
    EXPECT_EQ(BadLogSettingMessage(L"The setting is bad.", 1, L"S.csv"),
              L"The setting is bad.\nThis line is kept in \"S.csv\" and goes into the log once "
              L"the setting names a file: choose one with \"Production log...\" in the system "
              L"menu.");
    const std::wstring head = L"The production log \"L.csv\" could not be written.\n";
    EXPECT_EQ(UnwrittenLogMessage(L"L.csv", L"", 2, L"S.csv", L"", L"1\r\n2"),
              head +
                  L"The 2 lines not in it are kept in \"S.csv\" and go into the log at the "
                  L"next start.");
    EXPECT_EQ(UnwrittenLogMessage(L"L.csv", L"Bad.", 2, L"S.csv", L"Access is denied.", L"1\r\n2"),
              L"Bad.\nNor could \"S.csv\": Access is denied.\nThe lines not in it:\n1\r\n2");
}

// Files in memory. The log can refuse appends, or take the bytes and still report a failure
// (a flush that failed on a share); the spool's folder can refuse writes, once or for good.
struct FakeLogFiles : CProductionLog::Files {
    std::map<std::wstring, std::string> disk;
    std::wstring logFailure;            // the log takes nothing
    bool reportAfterWrite = false;      // ... or takes the bytes and reports logFailure anyway
    int spoolWritesBeforeFailure = -1;  // -1: the spool's folder never refuses

    std::wstring Append(const std::wstring& log, const Content& content) override {
        if (!logFailure.empty() && !reportAfterWrite)
            return logFailure;
        std::string& file = disk[log];
        file += content(file.size(), file.empty() || file.back() == '\n');
        return logFailure;
    }
    std::wstring ReadAt(const std::wstring& log, std::uint64_t offset, std::size_t size,
                        std::string& bytes) override {
        if (!logFailure.empty())
            return logFailure;
        bytes = disk[log].substr(std::min<std::size_t>(offset, disk[log].size()), size);
        return {};
    }
    std::wstring Read(const std::wstring& path, std::string& bytes) override {
        bytes = disk.count(path) ? disk[path] : std::string();
        return {};
    }
    std::wstring Write(const std::wstring& path, std::string_view bytes) override {
        if (spoolWritesBeforeFailure >= 0 && spoolWritesBeforeFailure-- == 0)
            return L"Disk full.";
        if (bytes.empty())
            disk.erase(path);
        else
            disk[path] = bytes;
        return {};
    }
    // The lines of the log, without the byte-order mark and header.
    std::string Lines(const std::wstring& log) {
        const std::string head = LogPrefix(0, true);
        std::string lines = disk[log];
        EXPECT_EQ(lines.rfind(head, 0), 0u);
        return lines.erase(0, head.size());
    }
};

const std::wstring kLog = L"L.csv";
const std::wstring kSpool = L"S.csv";

// Every line reaches the log exactly once and in order: through failed appends, a restart, a
// spool that cannot be written for a while, a torn last line, and a program that ended between
// the lines going in and the spool letting them go.
TEST(ProductionLog, EveryLineReachesTheLogOnceAndInOrder) {
    FakeLogFiles files;
    {
        CProductionLog log(files, kSpool);
        EXPECT_EQ(log.Add(kLog, "1\r\n"), L"");
        files.logFailure = L"In use.";
        EXPECT_EQ(log.Add(kLog, "2\r\n"), L"In use.");
        EXPECT_EQ(log.Add(kLog, "3\r\n"), L"In use.");
        EXPECT_EQ(log.KeptCount(), 2);
        EXPECT_EQ(files.disk[kSpool], LogPrefix(0, true) + "2\r\n3\r\n");
        files.spoolWritesBeforeFailure = 0;
        EXPECT_EQ(log.Add(kLog, "4\r\n"), L"In use.");
        EXPECT_EQ(log.SpoolFailure(), L"Disk full.");
        EXPECT_EQ(log.Unspooled(), "4\r\n");
        EXPECT_EQ(log.KeptCount(), 3);
        EXPECT_EQ(log.Add(kLog, "5\r\n"), L"In use.");
        EXPECT_EQ(log.Unspooled(), "");
        EXPECT_EQ(files.disk[kSpool], LogPrefix(0, true) + "2\r\n3\r\n4\r\n5\r\n");
    }
    // The next start: the spool's lines go in first, after a line end for the torn last line.
    files.logFailure.clear();
    files.disk[kLog] += "6,torn";
    CProductionLog restarted(files, kSpool);
    EXPECT_EQ(restarted.Flush(kLog), L"");
    EXPECT_EQ(restarted.KeptCount(), 0);
    EXPECT_EQ(files.Lines(kLog), "1\r\n6,torn\r\n2\r\n3\r\n4\r\n5\r\n");
    EXPECT_EQ(files.disk.count(kSpool), 0u);
    EXPECT_EQ(files.disk.count(kSpool + L".moving"), 0u);

    // The log takes the lines but reports a failure; the spool is kept, and so is the note of
    // where its lines went, which the next attempt reads before it adds them again.
    files.logFailure = L"In use.";
    EXPECT_EQ(restarted.Add(kLog, "7\r\n"), L"In use.");
    files.reportAfterWrite = true;
    EXPECT_EQ(restarted.Add(kLog, "8\r\n"), L"In use.");
    files.logFailure.clear();
    files.reportAfterWrite = false;
    EXPECT_EQ(CProductionLog(files, kSpool).Add(kLog, "9\r\n"), L"");
    // The lines went in and the program ended before the spool let them go.
    files.logFailure = L"In use.";
    EXPECT_EQ(restarted.Add(kLog, "10\r\n"), L"In use.");
    files.logFailure.clear();
    files.spoolWritesBeforeFailure = 1;  // the note is written; emptying the spool fails
    EXPECT_EQ(restarted.Add(kLog, "11\r\n"), L"");
    EXPECT_EQ(CProductionLog(files, kSpool).Flush(kLog), L"");
    EXPECT_EQ(files.Lines(kLog), "1\r\n6,torn\r\n2\r\n3\r\n4\r\n5\r\n7\r\n8\r\n9\r\n10\r\n11\r\n");
    EXPECT_EQ(files.disk.count(kSpool), 0u);
    EXPECT_EQ(files.disk.count(kSpool + L".moving"), 0u);
}

// A log setting that names no file keeps the line in the spool; the spool keeps it until the
// setting is put right.
TEST(ProductionLog, ABadSettingKeepsTheLine) {
    FakeLogFiles files;
    CProductionLog log(files, kSpool);
    EXPECT_EQ(log.Add(L"log.csv", "1\r\n", L"not a full path"), L"not a full path");
    EXPECT_EQ(log.Flush(L"log.csv", L"not a full path"), L"not a full path");
    EXPECT_EQ(log.KeptCount(), 1);
    EXPECT_EQ(files.disk.count(L"log.csv"), 0u);
    EXPECT_EQ(log.Add(kLog, "2\r\n"), L"");
    EXPECT_EQ(files.Lines(kLog), "1\r\n2\r\n");
}

}  // namespace
