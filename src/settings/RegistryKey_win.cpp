#include "settings/RegistryKey_win.h"

#include <string>

static_assert(kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ && kRegBinary == REG_BINARY &&
              kRegDword == REG_DWORD && kRegQword == REG_QWORD);

CRegistryKey::~CRegistryKey() {
    RegCloseKey(m_key);
}

std::optional<RegistryValue> CRegistryKey::Query(std::wstring_view name) {
    const std::wstring valueName(name);
    RegistryValue value;
    DWORD type = REG_NONE;
    // Always a 4-byte buffer: anything longer fails with ERROR_MORE_DATA and is not taken.
    DWORD size = static_cast<DWORD>(value.data.size());
    if (RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type, value.data.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.type = type;
    value.size = size;
    return value;
}

bool CRegistryKey::SetDword(std::wstring_view name, std::uint32_t value) {
    const std::wstring valueName(name);
    const DWORD data = value;
    return RegSetValueExW(m_key, valueName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

std::optional<RegistryText> CRegistryKey::QueryText(std::wstring_view name) {
    const std::wstring valueName(name);
    RegistryText value;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.type = type;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return value;
    // The text as stored, without the terminating null the registry may or may not hold.
    value.text.resize(size / sizeof(wchar_t) + 1);
    size = static_cast<DWORD>(value.text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.text.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.text.resize(wcsnlen(value.text.c_str(), size / sizeof(wchar_t)));
    return value;
}

bool CRegistryKey::SetText(std::wstring_view name, std::wstring_view value) {
    const std::wstring valueName(name), text(value);
    return RegSetValueExW(m_key, valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}
