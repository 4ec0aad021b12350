#include "settings/FileRules.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
