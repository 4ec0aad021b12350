#include "settings/ProductionLog.h"

#include <gtest/gtest.h>

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

// A field is quoted only when a spreadsheet would otherwise split it, and reads back whole.
TEST(ProductionLog, LinesAsASpreadsheetReadsThem) {
    const struct {
        void (*change)(LogRecord&);
        const char* line;
    } rows[] = {
        {[](LogRecord&) {}, "2026-01-02 03:04:05,BENCH-2,1042,ok,LEDs,4,north door.ini,001fab"},
        {[](LogRecord& r) {
             r.time = {2027, 12, 31, 23, 59, 9};
             r.result = LogResult::WrongAnswer;
             r.serial = -2147483647 - 1;
             r.computer = L"BENCH,2";
             r.configFile = L"say \"hi\" then.ini";
         },
         "2027-12-31 23:59:09,\"BENCH,2\",-2147483648,wrong answer,LEDs,4,\"say \"\"hi\"\" "
         "then.ini\",001fab"},
        {[](LogRecord& r) {
             r.method = LogMethod::Library;
             r.result = LogResult::Failed;
             r.computer = L"B\u00e4nk\r\n7\xD800";  // half a surrogate pair: U+FFFD
             r.configFile.clear();
             r.image.clear();
         },
         "2026-01-02 03:04:05,\"B\xC3\xA4nk\r\n7\xEF\xBF\xBD\",1042,failed,library,4,,"},
    };
    for (const auto& row : rows) {
        LogRecord r = Record();
        row.change(r);
        EXPECT_EQ(FormatLogLine(r), std::string(row.line) + "\r\n");
    }
    EXPECT_EQ(UnwrittenLogName(Record().time), L"Orvanta log unwritten 2026-01-02 030405.csv");
    for (const wchar_t* path : {L"C:\\Key maps\\box.ini", L"box.ini", L"C:box.ini", L"//s/box.ini"})
        EXPECT_EQ(FileNameOf(path), L"box.ini") << path;
}

// Lines the log could not take at exit: the message names the file that holds them, or shows
// them when no file could.
TEST(ProductionLog, TheLinesKeptAtExitAreNamed) {
    const std::wstring head = L"The production log \"L.csv\" could not be written.\n";
    EXPECT_EQ(UnwrittenLogMessage(L"L.csv", 1, L"K.csv", L"", L"1"),
              head + L"The line not in it is kept in \"K.csv\".");
    EXPECT_EQ(UnwrittenLogMessage(L"L.csv", 2, L"K.csv", L"", L"1\r\n2"),
              head + L"The 2 lines not in it are kept in \"K.csv\".");
    EXPECT_EQ(UnwrittenLogMessage(L"L.csv", 2, L"K.csv", L"Access is denied.", L"1\r\n2"),
              head + L"Nor could \"K.csv\": Access is denied.\nThe lines not in it:\n1\r\n2");
}

TEST(ProductionLog, TheHeaderStartsANewOrEmptyFileOnly) {
    EXPECT_EQ(LogFileBytes("a\r\n", true),
              "\xEF\xBB\xBFTime,Computer,Serial,Result,Method,Contacts,Configuration file,Image"
              "\r\na\r\n");
    EXPECT_EQ(LogFileBytes("a\r\n", false), "a\r\n");
}

// A file that cannot be written keeps the lines; once it can, they go in first, in order, in
// the same write as the new one.
TEST(ProductionLog, KeptLinesGoInFirstAndInOrder) {
    struct FakeWriter : CProductionLog::Writer {
        std::vector<std::string> writes;
        std::wstring failure;
        std::wstring Append(const std::wstring& path, std::string_view lines) override {
            EXPECT_EQ(path, L"log.csv");
            if (failure.empty())
                writes.emplace_back(lines);
            return failure;
        }
    } writer;
    CProductionLog log(writer);
    EXPECT_EQ(log.Flush(L"log.csv"), L"");
    EXPECT_EQ(log.Add(L"log.csv", "1\r\n"), L"");
    writer.failure = L"in use";
    EXPECT_EQ(log.Add(L"log.csv", "2\r\n"), L"in use");
    EXPECT_EQ(log.Add(L"log.csv", "3\r\n"), L"in use");
    EXPECT_EQ(log.Flush(L"log.csv"), L"in use");
    EXPECT_EQ(log.PendingCount(), 2);
    writer.failure.clear();
    EXPECT_EQ(log.Add(L"log.csv", "4\r\n"), L"");
    EXPECT_EQ(writer.writes, (std::vector<std::string>{"1\r\n", "2\r\n3\r\n4\r\n"}));
    EXPECT_EQ(log.PendingCount(), 0);
    EXPECT_EQ(log.Pending(), "");
}

}  // namespace
