// A configuration file on disk: read whole, or replaced whole so that a failure at any point
// (a full disk, a lost network share, a file the user may not write) leaves it as it was, or
// where that cannot be, keeps both the old and the new bytes. Every path may be of any length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "settings/FileRules.h"

// The full path in the form that the system takes at any length (see LongPathForm), so that a
// file deep in folders is read and written as well as saved, and the name of the new file
// beside a target fits whenever the target's own name does.
std::wstring SystemPath(const std::wstring& path);

// Whether the path names a folder that exists.
bool IsFolder(const std::wstring& path);

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
// given the file's size and whether its last byte is a line feed, and returns the bytes.
// Programs that append this way take turns, so lines from several of them never mix; others
// may read the file meanwhile. Returns the system's reason when nothing could be written;
// else empty.
std::wstring AppendFileBytes(
    const std::wstring& path,
    const std::function<std::string(std::uint64_t size, bool endsInLineFeed)>& content);

// Reads `size` bytes from `offset`, fewer where the file ends. The system's reason on failure.
std::wstring ReadFileRange(const std::wstring& path, std::uint64_t offset, std::size_t size,
                           std::string& bytes);

// Writes the bytes to a new file; a file of that name is never replaced. Returns the system's
// reason on failure; else empty.
std::wstring CreateFileBytes(const std::wstring& path, std::string_view bytes);
