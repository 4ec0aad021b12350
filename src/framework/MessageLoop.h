// The framework's message loop: the modal dialogs take their messages here. Beside the queue it
// serves the precise timers (framework/PreciseTimer.h), a due one before the messages, and it
// drops the program's own keys (framework/OwnInput.h) unhandled. A modal dialog's loop offers
// each message to the framework dialogs' PreTranslateMessage from its window outwards (the
// base runs IsDialogMessage) before it translates and dispatches it.
#pragma once

#include <windows.h>

namespace fw {

// Like GetMessage, but while precise timers run it also serves those whose time has come,
// before the messages; while they are behind, a message still comes out at least every 10 ms.
// With no message and no timer due it waits for both: for the timers' waitable timers, or for
// a time less than a millisecond away by asking for messages, yielding in between. Key messages
// of the program's own input (fw::IsOwnKey) are taken and never returned.
BOOL NextMessage(MSG* msg);

// Runs the loop of the modal dialog `hwnd` while `running` holds and the window exists. A
// WM_QUIT ends it and is posted again for the loops outside.
void RunModalLoop(HWND hwnd, const bool& running);

}  // namespace fw
