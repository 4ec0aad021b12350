#include "settings/RegistryKey_win.h"

#include <string>

static_assert(kRegSz == REG_SZ && kRegBinary == REG_BINARY && kRegDword == REG_DWORD &&
              kRegQword == REG_QWORD);

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
