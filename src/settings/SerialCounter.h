// Serial numbers that the benches of a workshop share: a counter file on their shared folder
// holds the next free number, and each write takes one from it while it holds the file's lock.
// Here are the rules of the counter's text and of the number a bench holds until a key box has
// it; the file itself is reached through ICounterFile.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The largest serial number that the image's seven hex digits hold.
inline constexpr std::int32_t kMaxSharedSerial = 268435455;

// The counter's text: its number, or the reason it is refused, naming what the file holds.
struct CounterText {
    std::optional<std::int32_t> number;
    std::wstring refusal;
};
// ASCII digits of a number from 0 to kMaxSharedSerial, then CR LF or LF, and nothing else.
CounterText ReadCounterText(std::string_view bytes);

// One access to the counter file: whether another program held its lock past the wait, or the
// system's reason when the file could not be opened, locked, read or written.
struct CounterAccess {
    bool busy = false;
    std::wstring failure;
};

class ICounterFile {
public:
    // Gets the file's bytes, or a new content to put in their place.
    using Rewrite = std::function<std::optional<std::string>(const std::string& bytes)>;

    // Opens the file at `path` and locks it against the other benches (exclusively when
    // `forWriting`), waiting for another's lock at most 2 seconds; reads it and gives its bytes
    // to `rewrite`; what that returns replaces them and is flushed to the disk before the lock
    // is given up.
    virtual CounterAccess Access(const std::wstring& path, bool forWriting,
                                 const Rewrite& rewrite) = 0;

protected:
    ~ICounterFile() = default;
};

// The counter a bench uses, and the number it holds: taken for a write, it is used again by
// every write until a key box confirms one. A held number that is never confirmed (the program
// ends) leaves a gap in the numbers, never a repeat.
class CSerialCounter {
public:
    explicit CSerialCounter(ICounterFile& file) : m_file(file) {}

    // The counter at `path`; `problem` says what is wrong with its setting. Both empty: no
    // counter, the bench numbers its own key boxes. A number held from another counter is
    // dropped.
    void Use(std::wstring path, std::wstring problem = {});
    bool InUse() const { return !m_path.empty() || !m_problem.empty(); }
    const std::wstring& Path() const { return m_path; }

    // The number for a write: the one held, or the next one taken from the counter, which then
    // holds the one after it. Empty when there is none, with the message that says why: the
    // counter is then as it was.
    struct Taken {
        std::optional<std::int32_t> serial;
        std::wstring message;
    };
    Taken Take();
    // A key box has the held number: it is used up.
    void Confirm() { m_held.reset(); }
    // The counter's number as it stands, read and not taken; none when it cannot be read.
    std::optional<std::int32_t> Peek();

private:
    ICounterFile& m_file;
    std::wstring m_path;
    std::wstring m_problem;
    std::optional<std::int32_t> m_held;
};
