// The four settings of the main dialog that survive between runs (serial number, contacts,
// bounce time and programming speed of the configuration), and the rules for loading them at
// start-up and saving them on "Ende". The serial number moves on by one every start.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "programming/Configuration.h"
#include "settings/IRegistry.h"

// Where the settings are kept, under HKEY_CURRENT_USER.
inline constexpr std::wstring_view kSettingsKey = L"SOFTWARE\\Velkara\\Orvanta";

enum class SaveResult {
    Saved,
    KeyUnavailable,  // the key could not be created or opened: nothing was written
    WriteFailed,     // a value was refused: the ones before it stay written, the rest were skipped
};

// Message box text for any save that did not complete.
inline constexpr wchar_t kRegistryWriteFailed[] = L"Registry write failed";

// Takes each stored REG_DWORD of 4 bytes that it finds into its member and leaves the other
// members alone. The serial becomes the stored value plus one. Nothing is range-checked or
// reported.
void LoadSettings(IRegistry& registry, Configuration& settings);

// Writes serial, contacts, delay and clearTime in that order and stops at the first refusal.
SaveResult SaveSettings(IRegistry& registry, const Configuration& settings);

// Writes the serial number alone, as SaveSettings writes it: the key box's answer hands out
// the next number, which must not be handed out again if the program is left without "Ende".
SaveResult SaveSerial(IRegistry& registry, std::int32_t serial);

// The files that text values name by their full paths: "LogFile", the production log, and
// "SerialFile", the serial counter that the benches share.
inline constexpr std::wstring_view kLogFileValue = L"LogFile";
inline constexpr std::wstring_view kSerialFileValue = L"SerialFile";

// Where the file is that the value `name` names, or `fallback` when no value (or an empty text)
// is stored. `problem` says what is wrong with a value that names no file by its full path: not
// text, not a full path, a folder (as `isFolder` tells).
struct FilePlace {
    std::wstring path;
    std::wstring problem;
};
using LogPlace = FilePlace;
FilePlace LoadFilePlace(IRegistry& registry, std::wstring_view name, std::wstring_view fallback,
                        const std::function<bool(const std::wstring&)>& isFolder);
// Stores the path as a REG_SZ value `name`; an empty path names no file.
SaveResult SaveFilePlace(IRegistry& registry, std::wstring_view name, std::wstring_view path);
