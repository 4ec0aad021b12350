// The serial counter that the benches share, on this computer: its place in the registry value
// "SerialFile", and the file itself, read and advanced under a lock that the benches take in
// turn over the file server.
#pragma once

#include <cstdint>
#include <string>

#include "settings/SerialCounter.h"
#include "settings/Settings.h"

// The stored counter's place; an empty path and problem while none is stored.
FilePlace StoredSerialFile();
// Stores the path (an empty one: no counter); false when the registry refused it.
bool StoreSerialFile(const std::wstring& path);

// Makes a new counter at `path` holding `number`. The reason when it could not (the system's, or
// a number the counter cannot hold); a file that exists already is left as it is.
std::wstring MakeCounter(const std::wstring& path, std::int32_t number);

class CSerialFile final : public ICounterFile {
public:
    CounterAccess Access(const std::wstring& path, bool forWriting,
                         const Rewrite& rewrite) override;
};
