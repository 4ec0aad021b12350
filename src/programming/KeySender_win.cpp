#include "programming/KeySender_win.h"

#include <windows.h>

#include "framework/OwnInput.h"

void SendKeyBatch(const KeyBatch& batch, KeyAction action) {
    INPUT records[3] = {};
    const int count = batch.count < 0 ? 0 : (batch.count > 3 ? 3 : batch.count);
    for (int i = 0; i < count; ++i) {
        records[i].type = INPUT_KEYBOARD;
        records[i].ki.wVk = batch.keys[static_cast<size_t>(i)];
        records[i].ki.dwExtraInfo = fw::kOwnInputMark;  // the program's loops pass them over
        records[i].ki.dwFlags = action == KeyAction::Release ? KEYEVENTF_KEYUP : 0;
    }
    if (count > 0)
        ::SendInput(static_cast<UINT>(count), records, sizeof(INPUT));
}
