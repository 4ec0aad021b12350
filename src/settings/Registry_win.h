// The settings store's view of HKEY_CURRENT_USER on Windows.
#pragma once

#include <memory>
#include <string_view>

#include "settings/IRegistry.h"

class CRegistry final : public IRegistry {
public:
    // KEY_READ: enough for the load, and it works where the user may not write.
    std::unique_ptr<IRegistryKey> OpenForRead(std::wstring_view subkey) override;
    // Non-volatile, KEY_ALL_ACCESS, default security.
    std::unique_ptr<IRegistryKey> CreateForWrite(std::wstring_view subkey) override;
};
