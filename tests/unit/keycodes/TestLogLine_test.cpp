#include "keycodes/TestLogLine.h"

#include <gtest/gtest.h>

namespace {

TEST(TestLogLine, EachKeyboardMessageHasItsLineAndNoOtherMessageHasOne) {
    const struct {
        std::uint32_t message;
        std::uint64_t wParam, lParam;
        const wchar_t* line;
    } cases[] = {
        {0x0100, 0x41, 0x1E0001, L"DOWN - wpar=41, lpar=1e0001\r\n"},
        // A key-up's lParam as a 64-bit program receives it, sign-extended.
        {0x0101, 0x41, 0xFFFFFFFFC01E0001, L"UP  -  wpar=41, lpar=c01e0001\r\n"},
        {0x0102, 0x61, 0x1E0001, L"WM_CHAR  wpar=61, lpar=1e0001\r\n"},
        {0x0103, 0x5E, 0x290001, L"WM_DEADCHAR  wpar=5e, lpar=290001\r\n"},
        {0x0104, 0x73, 0x203E0001, L"SYSDOWN - wpar=73, lpar=203e0001\r\n"},
        {0x0105, 0x12, 0xC0380001, L"SYSUP  -  wpar=12, lpar=c0380001\r\n"},
        {0x0106, 0x66, 0x20210001, L"WM_SYSCHAR  wpar=66, lpar=20210001\r\n"},
        {0x0107, 0, 0, L"WM_SYSDEADCHAR  wpar=0, lpar=0\r\n"},
        {0x0109, 0x1F600, 0, L"WM_UNICHAR  wpar=1f600, lpar=0\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TestLogLine(c.message, c.wParam, c.lParam), c.line) << std::hex << c.message;
    for (std::uint32_t message : {0x0000u, 0x00FFu, 0x0108u, 0x010Au, 0x0201u, 0x10100u})
        EXPECT_EQ(TestLogLine(message, 0x41, 0x1E0001), std::nullopt) << std::hex << message;
}

}  // namespace
