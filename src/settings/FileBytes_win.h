// A configuration file on disk: read whole, or replaced whole so that a failure at any point
// (a full disk, a lost network share, a file the user may not write) leaves it as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct FileBytes {
    std::string bytes;
    std::wstring failure;  // the system's reason when the file could not be read; else empty
};

// Reads the file, but no more than `limit` + 1 bytes: enough to tell a file that is too long.
FileBytes ReadFileBytes(const std::wstring& path, std::size_t limit);

// Writes the bytes to a new file next to `path`, flushes it to the disk and puts it in place:
// over an existing file with the system's replace operation, which keeps the file's attributes
// and security settings and refuses a read-only file. Returns the system's reason when that
// failed, with the new file removed; else empty.
std::wstring ReplaceFileBytes(const std::wstring& path, std::string_view bytes);
