#include "settings/FileRules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "settings/ConfigFile.h"

namespace {

// Drive paths and network shares take the long form and come back from it; a device path stays
// as it is.
TEST(FileRules, LongPathForm) {
    const std::wstring paths[][2] = {{L"C:\\box\\a.ini", L"\\\\?\\C:\\box\\a.ini"},
                                     {L"\\\\bench\\maps\\a.ini", L"\\\\?\\UNC\\bench\\maps\\a.ini"},
                                     {L"\\\\.\\COM1", L"\\\\.\\COM1"}};
    for (const auto& [usual, long_] : paths) {
        EXPECT_EQ(LongPathForm(usual), long_);
        EXPECT_EQ(UsualPathForm(long_), usual);
    }
}

// The files of a save as letters: the target, the fresh file and the backup each hold the old
// bytes ('o'), the new ones ('n') or are missing ('-'). The system refuses to move the files
// named in `refused`.
struct FakeFiles : ISaveFiles {
    std::string at, refused;
    char& Of(SaveFile file) { return at[static_cast<size_t>(file) - 1]; }
    bool Exists(SaveFile file) override { return Of(file) != '-'; }
    bool MoveToTarget(SaveFile file) override {
        if (Of(SaveFile::Target) != '-' ||
            refused.find("-TFB"[static_cast<int>(file)]) != refused.npos)
            return false;
        Of(SaveFile::Target) = std::exchange(Of(file), '-');
        return true;
    }
    void Remove(SaveFile file) override { Of(file) = '-'; }
};

// What the replace left, what becomes of the files and what the user is told: the new bytes
// are never removed unless the old file is in its place, and the message names the files the
// user finds.
TEST(FileRules, AFailedSaveKeepsTheConfigurationAndSaysWhere) {
    // The error, whether there was an old file, the files after the replace, the ones the system
    // will not move, the files at the end, and the message after the reason (none when saved).
    const std::tuple<unsigned long, bool, std::string, std::string, std::string, std::wstring>
        cases[] = {
            {0, true, "n-o", "", "n--", L""},  // replaced, and the old file kept as a backup
            {5, true, "on-", "", "o--", L"The file is as it was."},  // refused before any move
            {5, false, "-n-", "", "---", L"The file is as it was."},
            {1176, true, "on-", "", "o--", L"The file is as it was."},  // with the backup name
            {1176, true, "-n-", "", "n--", L""},  // the new file takes the old one's place
            {1176, true, "-n-", "F", "-n-",
             L"The new configuration is in \"a.ini.7.tmp\". The old file is lost."},
            {1177, true, "-no", "", "n--", L""},
            {1177, true, "-no", "F", "on-",
             L"The file is as it was. The new configuration is in \"a.ini.7.tmp\"."},
            {1177, true, "-no", "FB", "-no",
             L"The new configuration is in \"a.ini.7.tmp\". The old file is now \"a.ini.7.bak\"."},
        };
    for (const auto& [error, hadOld, left, refused, end, told] : cases) {
        SCOPED_TRACE(std::to_string(error) + " " + left + " " + refused);
        FakeFiles files;
        files.at = left, files.refused = refused;
        SaveOutcome save = FinishSave(error, hadOld, files);
        EXPECT_EQ(files.at, end);
        save.freshPath = L"a.ini.7.tmp", save.backupPath = L"a.ini.7.bak";
        const std::wstring message = CannotSaveMessage(L"a.ini", save);
        EXPECT_EQ(save.newAt == SaveFile::Target ? L"" : message.substr(message.find(L":\n\n") + 3),
                  told);
    }
}

}  // namespace
