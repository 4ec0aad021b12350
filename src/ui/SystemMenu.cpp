#include "ui/SystemMenu.h"

#include "framework/WinApp.h"
#include "ui/Messages.h"
#include "ui/resource.h"

static_assert(IDM_ABOUTBOX % 16 == 0 && IDM_OPEN_CONFIG % 16 == 0 && IDM_SAVE_CONFIG % 16 == 0 &&
                  IDM_PRODUCTION_LOG % 16 == 0 && IDM_SHARED_SERIAL % 16 == 0 &&
                  IDM_LOG_KEY_MAP % 16 == 0 && IDM_LOG_KEY_MAP < 0xF000,
              "system menu commands are multiples of 16 below the system's own");

void AddProgramCommands(HMENU systemMenu) {
    wchar_t about[64] = {};
    if (::LoadStringW(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, 64) > 0) {
        ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
    ::AppendMenuW(systemMenu, MF_STRING, IDM_OPEN_CONFIG, kOpenConfigMenu);
    ::AppendMenuW(systemMenu, MF_STRING, IDM_SAVE_CONFIG, kSaveConfigMenu);
    ::AppendMenuW(systemMenu, MF_STRING, IDM_PRODUCTION_LOG, kProductionLogMenu);
    ::AppendMenuW(systemMenu, MF_STRING, IDM_SHARED_SERIAL, kSharedSerialMenu);
    ::AppendMenuW(systemMenu, MF_STRING, IDM_LOG_KEY_MAP, kLogKeyMapMenu);
}
