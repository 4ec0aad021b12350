// A configuration file on disk: read whole, or replaced whole so that a failure at any point
// (a full disk, a lost network share, a file the user may not write) leaves it as it was, or
// where that cannot be, keeps both the old and the new bytes. Every path may be of any length.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "settings/FileRules.h"

struct FileBytes {
    std::string bytes;
    std::wstring failure;  // the system's reason when the file could not be read; else empty
};

// Reads the file, but no more than `limit` + 1 bytes: enough to tell a file that is too long.
FileBytes ReadFileBytes(const std::wstring& path, std::size_t limit);

// Writes the bytes to a new file next to `path`, flushes it to the disk and puts it in place:
// over an existing file with the system's replace operation, which keeps the file's attributes
// and security settings and refuses a read-only file. Says where the new bytes and the old file
// are, with the system's reason when the new bytes are not in place (see FinishSave).
SaveOutcome ReplaceFileBytes(const std::wstring& path, std::string_view bytes);

// Adds to the end of the file, which is made if it is missing, in one write: `content` is
// given whether the file is empty and returns the bytes. Programs that append this way take
// turns, so lines from several of them never mix; others may read the file meanwhile. Returns
// the system's reason when nothing could be written; else empty.
std::wstring AppendFileBytes(const std::wstring& path,
                             const std::function<std::string(bool empty)>& content);

// Writes the bytes to a new file; a file of that name is never replaced. Returns the system's
// reason on failure; else empty.
std::wstring CreateFileBytes(const std::wstring& path, std::string_view bytes);
