#include "settings/SerialCounter.h"

#include <charconv>
#include <string>
#include <system_error>
#include <utility>

namespace {

constexpr std::size_t kShownBytes = 32;

// The bytes as a message can show them: printable ASCII as it is, line ends and tabs as \r, \n
// and \t, any other byte in hex (\x01); a long content is cut.
std::wstring Shown(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::wstring shown;
    for (const char c : bytes.substr(0, kShownBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r' || byte == '\n' || byte == '\t')
            shown += byte == '\r' ? L"\\r" : byte == '\n' ? L"\\n" : L"\\t";
        else if (byte >= 0x20 && byte < 0x7F && byte != '\\')
            shown += static_cast<wchar_t>(byte);
        else
            shown += std::wstring(L"\\x") + wchar_t(kHex[byte >> 4]) + wchar_t(kHex[byte & 15]);
    }
    return shown + (bytes.size() > kShownBytes ? L"..." : L"");
}

std::wstring CannotTakeMessage(const std::wstring& path, const std::wstring& reason) {
    return L"Cannot take a serial number from \"" + path + L"\": " + reason +
           L"\nNothing was sent to the key box.";
}

}  // namespace

CounterText ReadCounterText(std::string_view bytes) {
    if (bytes.empty())
        return {std::nullopt, L"It is empty."};
    // The line end is required: digits without it may be what a write cut short left.
    std::string_view digits = bytes;
    if (digits.ends_with("\n"))
        digits.remove_suffix(digits.ends_with("\r\n") ? 2 : 1);
    // Unsigned: a sign is refused as any other character is.
    std::uint32_t number = 0;
    const char* const end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, number);
    if (digits.size() < bytes.size() && error == std::errc() && stop == end &&
        number <= static_cast<std::uint32_t>(kMaxSharedSerial))
        return {static_cast<std::int32_t>(number), {}};
    return {std::nullopt, L"It holds \"" + Shown(bytes) + L"\", not a serial number from 0 to " +
                              std::to_wstring(kMaxSharedSerial) + L" and a line end."};
}

void CSerialCounter::Use(std::wstring path, std::wstring problem) {
    m_path = std::move(path);
    m_problem = std::move(problem);
    m_held.reset();
}

CSerialCounter::Taken CSerialCounter::Take() {
    if (m_held)
        return {m_held, {}};
    if (!m_problem.empty())
        return {std::nullopt, CannotTakeMessage(m_path, m_problem)};
    std::optional<std::int32_t> taken;
    std::wstring refusal;
    const CounterAccess access =
        m_file.Access(m_path, true, [&](const std::string& bytes) -> std::optional<std::string> {
            const CounterText text = ReadCounterText(bytes);
            refusal = text.refusal;
            // The counter must be left holding a number that a key box can take.
            if (text.number == kMaxSharedSerial)
                refusal = L"Its numbers are used up: " + std::to_wstring(kMaxSharedSerial) +
                          L" is the last serial number a key box takes.";
            if (!refusal.empty())
                return std::nullopt;
            taken = text.number;
            return std::to_string(*taken + 1) + "\r\n";
        });
    if (access.busy)
        refusal = L"Another bench has held it locked for more than 2 seconds.";
    else if (!access.failure.empty())
        refusal = access.failure;
    if (!refusal.empty())
        return {std::nullopt, CannotTakeMessage(m_path, refusal)};
    m_held = taken;
    return {m_held, {}};
}

std::optional<std::int32_t> CSerialCounter::Peek() {
    std::optional<std::int32_t> number;
    if (!m_problem.empty())
        return number;
    const CounterAccess access = m_file.Access(m_path, false, [&](const std::string& bytes) {
        number = ReadCounterText(bytes).number;
        return std::optional<std::string>();
    });
    return access.busy || !access.failure.empty() ? std::nullopt : number;
}
