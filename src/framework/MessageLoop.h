// The framework's message loop: the modal dialogs take their messages here. Beside the queue it
// serves the precise timers (framework/PreciseTimer.h), a due one before the messages, and it
// drops the program's own keys (framework/OwnInput.h) unhandled.
#pragma once

#include <windows.h>

namespace fw {

// Like GetMessage, but while precise timers run it also serves those whose time has come,
// before the messages; while they are behind, a message still comes out at least every 10 ms.
// With no message and no timer due it waits for both: for the timers' waitable timers, or for
// a time less than a millisecond away by asking for messages, yielding in between. Key messages
// of the program's own input (fw::IsOwnKey) are taken and never returned.
BOOL NextMessage(MSG* msg);

}  // namespace fw
