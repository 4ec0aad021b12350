// Replacing a configuration file on the real file system: a failure at the last step leaves
// the old file as it was and nothing else behind.
#include <gtest/gtest.h>

#include "gui/GuiDriver.h"
#include "settings/FileBytes_win.h"

namespace {

// A file that cannot be replaced stays as it was, with nothing beside it: one held open by an
// editor that lets nobody replace it, and a read-only one (Wine lets a program running as root
// move a file over a read-only one). A path with no room left under the usual path limit for a
// temporary name beside it is saved all the same.
TEST(FileBytes, AFileThatCannotBeReplacedStaysAsItWas) {
    const std::wstring top = gui::BuildDir() + L"\\long";
    const std::wstring folders[] = {top,
                                    top + L"\\" + std::wstring(MAX_PATH - 12 - top.size(), L'f')};
    for (const std::wstring& folder : folders) {
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr) ||
                    ::GetLastError() == ERROR_ALREADY_EXISTS);
        const std::wstring path = folder + L"\\a.ini";  // 255 characters in the second folder
        ASSERT_TRUE(gui::WriteFileBytes(path, "old"));
        EXPECT_EQ(ReplaceFileBytes(path, "new"), L"") << path.size() << " characters";
        const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_NE(ReplaceFileBytes(path, "newer"), L"");
        ::CloseHandle(held);
        ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        EXPECT_NE(ReplaceFileBytes(path, "newer"), L"");
        EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(ReadFileBytes(path, 100).bytes, "new");
        EXPECT_EQ(gui::FileLike(folder + L"\\*.tmp"), L"");
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
        EXPECT_NE(ReadFileBytes(path, 100).failure, L"");
    }
    ::RemoveDirectoryW(folders[1].c_str());
    ::RemoveDirectoryW(top.c_str());
}

}  // namespace
