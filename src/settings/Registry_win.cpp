#include "settings/Registry_win.h"

#include <string>

#include "settings/RegistryKey_win.h"

std::unique_ptr<IRegistryKey> CRegistry::OpenForRead(std::wstring_view subkey) {
    const std::wstring path(subkey);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<CRegistryKey>(key);
}

std::unique_ptr<IRegistryKey> CRegistry::CreateForWrite(std::wstring_view subkey) {
    const std::wstring path(subkey);
    wchar_t emptyClass[] = L"";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<CRegistryKey>(key);
}
