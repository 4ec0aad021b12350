// An open registry key handle that closes itself, so no path through the settings store can
// leave a key of the current user's hive open.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/IRegistryKey.h"

class CRegistryKey final : public IRegistryKey {
public:
    // Takes over a key that RegOpenKeyExW or RegCreateKeyExW has opened.
    explicit CRegistryKey(HKEY key) noexcept : m_key(key) {}
    ~CRegistryKey() override;

    std::optional<RegistryValue> Query(std::wstring_view name) override;
    std::optional<RegistryText> QueryText(std::wstring_view name) override;
    bool SetDword(std::wstring_view name, std::uint32_t value) override;
    bool SetText(std::wstring_view name, std::wstring_view value) override;

    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

private:
    HKEY m_key;
};
