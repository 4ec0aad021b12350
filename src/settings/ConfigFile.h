// Configuration files: the main dialog's settings and key map in an INI file, so that key boxes
// with the same key map can be programmed on another day or at another bench. The serial number
// is not in the file: it belongs to one key box.
//
//   [Orvanta]
//   Contacts=4          1..24, as the contacts list names them
//   BounceTime=10       0..4294967295
//   Speed=50            1..500
//   Protected=0         0 or 1
//   KeyRepeat=5         the key-repeat field's hex text as it is
//   Slot1=1e ... Slot48 the slot fields' hex texts as they are
//
// Key names and the section name are read in any letter case; a line ends in CR LF, LF or CR.
// A value has the blanks around it taken off, then one pair of double quotes around it, so
// that " 1e" is kept as "\" 1e\"". Other sections and comment lines (';' or '#') are ignored;
// a line of the section that names no known key is named in a notice; a key that is missing
// leaves its field as it is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "programming/ConfigImage.h"
#include "settings/FileRules.h"

// What a file holds: a key it does not name stays empty.
struct ConfigValues {
    std::optional<std::int32_t> contacts;
    std::optional<std::uint32_t> bounceTime;
    std::optional<std::uint32_t> speed;
    std::optional<bool> protectedFlag;
    std::optional<std::wstring> repeatText;
    std::array<std::optional<std::wstring>, kSlotCount> slots;

    bool operator==(const ConfigValues&) const = default;
};

// What a file keeps of a configuration: all but the serial number. A contact count outside the
// list, which only stored settings hold, is left out: the file could not be opened again.
ConfigValues FileValuesOf(const Configuration& config);
// The values a file names, over a configuration; a key it does not name leaves its member.
void ApplyFileValues(const ConfigValues& values, Configuration& config);

// Far above any real configuration; a larger file is refused before it is read to the end.
inline constexpr std::size_t kMaxConfigFileBytes = 1024 * 1024;
// Characters in one line of the file, and so in one value.
inline constexpr std::size_t kMaxConfigLineLength = 4096;

// The outcome of reading a file: the values, or the message for the user, which names the
// file and, for a refused value, the key and the value. A refused file gives no values at all.
// The notice, for the user once the values are taken, names the lines with unknown keys.
struct ConfigRead {
    ConfigValues values;
    std::wstring error;
    std::wstring notice;
};

// Reads a file's bytes: UTF-8 with or without a byte-order mark, or UTF-16 (either byte order)
// with one. A file whose section names no key it knows is refused too.
ConfigRead ReadConfigFile(std::string_view bytes, std::wstring_view fileName);

// The file for `values`, in UTF-8 with CR LF line ends; a key without a value is left out.
// Reading it gives `values` back exactly. A value that could not be kept so (a line break or
// another control character, half a surrogate pair, too long a line) gives a message naming
// the file and the key.
struct ConfigText {
    std::string bytes;
    std::wstring error;
};
ConfigText FormatConfigFile(const ConfigValues& values, std::wstring_view fileName);

// The messages for a file the system could not read or replace, with the system's reason.
std::wstring CannotOpenMessage(std::wstring_view fileName, std::wstring_view reason);
std::wstring CannotSaveMessage(std::wstring_view fileName, std::wstring_view reason);
// The message for a save that did not put the new bytes in place: the reason, and where the new
// configuration and the old file are when they are not where they were.
std::wstring CannotSaveMessage(std::wstring_view fileName, const SaveOutcome& save);
