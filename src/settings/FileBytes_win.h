// A configuration file on disk: read whole, or replaced whole so that a failure at any point
// (a full disk, a lost network share, a file the user may not write) leaves it as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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
