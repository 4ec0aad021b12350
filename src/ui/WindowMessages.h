// The program's own window messages. Any sender may post WM_APP_WRITE to the main dialog.
#pragma once

#include <windows.h>

#define WM_APP_WRITE (WM_APP + 1)      // wParam: nonzero for the blocking transmission
#define WM_APP_OPEN_FILE (WM_APP + 2)  // the dialog's own: opens the start-up file once shown
#define WM_APP_PROGRESS (WM_APP + 11)  // wParam: the new position
#define WM_APP_PROGRESS_DONE (WM_APP + 12)

static_assert(WM_APP_WRITE == 0x8001 && WM_APP_PROGRESS == 0x800B &&
              WM_APP_PROGRESS_DONE == 0x800C);
