#include "keycodes/TestLogLine.h"

#include <iterator>
#include <string_view>

#include "text/HexText.h"

namespace {

constexpr std::uint32_t kFirstKeyMessage = 0x0100;
// What begins each line, by message number from the first keyboard message on.
constexpr std::wstring_view kLineStarts[] = {
    L"DOWN - ",           // 0x0100 key down
    L"UP  -  ",           // 0x0101 key up
    L"WM_CHAR  ",         // 0x0102
    L"WM_DEADCHAR  ",     // 0x0103
    L"SYSDOWN - ",        // 0x0104 key down with Alt, or F10
    L"SYSUP  -  ",        // 0x0105
    L"WM_SYSCHAR  ",      // 0x0106
    L"WM_SYSDEADCHAR  ",  // 0x0107
    {},                   // 0x0108 is not logged
    L"WM_UNICHAR  ",      // 0x0109
};

}  // namespace

std::optional<std::wstring> TestLogLine(std::uint32_t message, std::uint64_t wParam,
                                        std::uint64_t lParam) {
    const std::uint32_t index = message - kFirstKeyMessage;  // below the first: wraps, too big
    if (index >= std::size(kLineStarts) || kLineStarts[index].empty())
        return std::nullopt;
    std::wstring line(kLineStarts[index]);
    line += L"wpar=";
    line += FormatHexText(static_cast<std::uint32_t>(wParam));
    line += L", lpar=";
    line += FormatHexText(static_cast<std::uint32_t>(lParam));
    line += L"\r\n";
    return line;
}
