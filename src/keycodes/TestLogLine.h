// The keyboard test dialog's log line: one line per keyboard message with its raw parameters,
// so that a technician sees exactly what a keyboard or a configured key box sends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The line for a keyboard message (0x0100..0x0109, all but 0x0108), its parameters in
// lower-case hexadecimal without prefix ("%x"). Only their low 32 bits are shown: a 64-bit
// lParam of a key-up message carries its transition bits sign-extended. Nullopt for any other
// message, which the dialog does not log.
std::optional<std::wstring> TestLogLine(std::uint32_t message, std::uint64_t wParam,
                                        std::uint64_t lParam);
