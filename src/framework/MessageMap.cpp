#include "framework/MessageMap.h"

namespace fw {

const MsgEntry* FindEntry(const MsgMap* map, UINT message, WPARAM wParam) {
    for (; map != nullptr; map = map->base) {
        for (const MsgEntry* e = map->begin; e != map->end; ++e) {
            if (e->message != message)
                continue;
            if (message == WM_COMMAND) {
                const UINT id = LOWORD(wParam);
                if (HIWORD(wParam) != e->code || id < e->idFirst || id > e->idLast)
                    continue;
            }
            return e;
        }
    }
    return nullptr;
}

}  // namespace fw
