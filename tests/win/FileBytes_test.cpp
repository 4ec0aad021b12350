// Replacing a configuration file on the real file system: a failure at the last step leaves
// the old file as it was and nothing else behind.
#include <gtest/gtest.h>

#include "GuiDriver.h"
#include "settings/FileBytes_win.h"

namespace {

TEST(FileBytes, AFileHeldOpenByAnotherProgramStaysAsItWas) {
    const std::wstring path = gui::BuildDir() + L"\\held.ini";
    ASSERT_TRUE(gui::WriteFileBytes(path, "[Orvanta]\r\nSlot1=old\r\n"));
    {
        // As an editor that keeps the file open and lets nobody replace it.
        const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_NE(ReplaceFileBytes(path, "[Orvanta]\r\nSlot1=new\r\n"), L"");
        ::CloseHandle(held);
    }
    EXPECT_EQ(ReadFileBytes(path, 100).bytes, "[Orvanta]\r\nSlot1=old\r\n");
    EXPECT_EQ(gui::FileLike(path + L"*.tmp"), L"");

    EXPECT_EQ(ReplaceFileBytes(path, "[Orvanta]\r\nSlot1=new\r\n"), L"");
    EXPECT_EQ(ReadFileBytes(path, 100).bytes, "[Orvanta]\r\nSlot1=new\r\n");
    ::DeleteFileW(path.c_str());
    EXPECT_NE(ReadFileBytes(path, 100).failure, L"");
}

}  // namespace
