// The current user's registry hive, reduced to what the settings store needs, so the load
// and save rules run against a fake in native tests and against the real registry on Windows.
#pragma once

#include <memory>
#include <string_view>

#include "settings/IRegistryKey.h"

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // Opens an existing key for reading; null when it is missing or access is refused.
    virtual std::unique_ptr<IRegistryKey> OpenForRead(std::wstring_view subkey) = 0;

    // Creates the key, or opens it when it exists, for writing; null on failure.
    virtual std::unique_ptr<IRegistryKey> CreateForWrite(std::wstring_view subkey) = 0;
};
