// Keys this program sends itself (the lock keys of a write) carry a mark of their own as their
// extra information. They come back to the program as key messages like any other key; by the
// mark its message loops know them and take them off the queue without handling them.
#pragma once

#include <windows.h>

namespace fw {

inline constexpr ULONG_PTR kOwnInputMark = 0x4F72766E;

// Whether `msg` is a key message of input this program sent with the mark. Only for the
// message taken from the queue last: the extra information is that message's.
inline bool IsOwnKey(const MSG& msg) {
    return msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP &&
           static_cast<ULONG_PTR>(::GetMessageExtraInfo()) == kOwnInputMark;
}

}  // namespace fw
