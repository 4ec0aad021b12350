// Files on the real file system: one far beyond the usual path limit is made, read, added to
// and replaced, and a failure at the last step of a replace leaves the old file as it was and
// nothing else behind; of a long log, the newest whole lines are read.
#include <gtest/gtest.h>

#include <tuple>

#include "gui/GuiDriver.h"
#include "settings/FileBytes_win.h"
#include "settings/LogFile_win.h"

namespace {

// A file that cannot be replaced stays as it was, with nothing beside it: one held open by an
// editor that lets nobody replace it, and a read-only one (Wine lets a program running as root
// move a file over a read-only one). A path of over 300 characters is used like any other.
TEST(FileBytes, AFileThatCannotBeReplacedStaysAsItWas) {
    const std::wstring deep = gui::BuildDir() + L"\\long\\" + std::wstring(150, L'f');
    const std::wstring folders[] = {gui::BuildDir() + L"\\long", deep,
                                    deep + L"\\" + std::wstring(150, L'g')};
    for (const std::wstring& folder : folders)
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr) ||
                    ::GetLastError() == ERROR_ALREADY_EXISTS);
    for (const std::wstring& folder : {folders[0], folders[2]}) {
        const std::wstring path = folder + L"\\a.ini", raw = L"\\\\?\\" + path;
        ASSERT_EQ(CreateFileBytes(path, "ol"), L"") << path.size() << " characters";
        EXPECT_EQ(AppendFileBytes(path, [](std::uint64_t, bool) { return std::string("d"); }), L"");
        EXPECT_EQ(ReadFileBytes(path, 100).bytes, "old");
        EXPECT_EQ(ReplaceFileBytes(path, "new").newAt, SaveFile::Target);
        const HANDLE held = ::CreateFileW(raw.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(ReplaceFileBytes(path, "newer").newAt, SaveFile::None);
        ::CloseHandle(held);
        ASSERT_TRUE(::SetFileAttributesW(raw.c_str(), FILE_ATTRIBUTE_READONLY));
        EXPECT_EQ(ReplaceFileBytes(path, "newer").newAt, SaveFile::None);
        EXPECT_TRUE(::GetFileAttributesW(raw.c_str()) & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(ReadFileBytes(path, 100).bytes, "new");
        ::SetFileAttributesW(raw.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(raw.c_str());
        EXPECT_NE(ReadFileBytes(path, 100).failure, L"");
    }
    for (int i = 2; i >= 0; --i)  // each folder empty: no new file or backup left beside a.ini
        EXPECT_TRUE(::RemoveDirectoryW((L"\\\\?\\" + folders[i]).c_str())) << i;
}

// Of a log longer than what is read of it, the newest whole lines are read, however the cut
// falls.
TEST(FileBytes, OfALongLogTheNewestWholeLinesAreRead) {
    const std::wstring path = gui::BuildDir() + L"\\newest lines.csv";
    ::DeleteFileW(path.c_str());
    ASSERT_EQ(CreateFileBytes(path, "head\r\nold\r\nnew\r\n"), L"");
    const std::tuple<std::size_t, const char*, bool> reads[] = {
        {16, "head\r\nold\r\nnew\r\n", false},
        {10, "old\r\nnew\r\n", true},
        {9, "new\r\n", true},
        {4, "", true}};
    for (const auto& [limit, expected, newest] : reads) {
        std::string bytes;
        bool newestOnly = !newest;
        EXPECT_EQ(ReadLogBytes(path, limit, bytes, newestOnly), L"");
        EXPECT_EQ(bytes, expected) << limit;
        EXPECT_EQ(newestOnly, newest) << limit;
    }
    ::DeleteFileW(path.c_str());
    std::string bytes;
    bool newestOnly = false;
    EXPECT_NE(ReadLogBytes(path, 16, bytes, newestOnly), L"");
}

}  // namespace
