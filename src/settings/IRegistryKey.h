// One open key of the current user's registry, as the settings store sees it. The key is
// closed when the object goes away, whichever way the caller leaves.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Value types, numbered as the registry numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegQword = 11;

// What a query with a 4-byte buffer brings back: the stored type, how many bytes were
// copied (0..4) and the bytes as stored (a DWORD least significant byte first).
struct RegistryValue {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::array<std::uint8_t, 4> data{};
};

// A value that may hold text: its type, and its text when it is a string.
struct RegistryText {
    std::uint32_t type = 0;
    std::wstring text;
};

class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    // Empty when the value is missing, unreadable or holds more than 4 bytes of data.
    virtual std::optional<RegistryValue> Query(std::wstring_view name) = 0;

    // Empty when the value is missing or unreadable.
    virtual std::optional<RegistryText> QueryText(std::wstring_view name) = 0;

    // Stores a REG_DWORD of 4 bytes; false when the registry refuses the write.
    virtual bool SetDword(std::wstring_view name, std::uint32_t value) = 0;
    // Stores a REG_SZ; false when the registry refuses the write.
    virtual bool SetText(std::wstring_view name, std::wstring_view value) = 0;
};
