// The program's own commands in the main dialog's system menu (the icon at the left of the
// title bar): the about box, configuration files, the production log, the shared serial
// numbers and the key maps in the log.
#pragma once

#include <windows.h>

// Adds them after the system's own, with a separator before the about box.
void AddProgramCommands(HMENU systemMenu);
