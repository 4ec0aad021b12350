// Table-driven message maps. Each dialog class keeps a static table of entries that tie a
// message (and for WM_COMMAND a notification code and a control id or id range) to a typed
// member handler; dispatch searches the class's table, then its base class's.
//
//   command handler:  void OnWrite()
//   range handler:    void OnSlotFocus(UINT id)
//   message handler:  LRESULT OnPaint(WPARAM, LPARAM)
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

namespace fw {

using Thunk = LRESULT (*)(CWnd& self, WPARAM wParam, LPARAM lParam);

struct MsgEntry {
    UINT message;
    UINT code;  // WM_COMMAND only: the notification code
    UINT idFirst;
    UINT idLast;
    Thunk thunk;
};

struct MsgMap {
    const MsgMap* base;
    const MsgEntry* begin;
    const MsgEntry* end;
};

// The entry of `map` (or of its bases) for a message, or null.
const MsgEntry* FindEntry(const MsgMap* map, UINT message, WPARAM wParam);

namespace detail {
template <typename>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using type = C;
};
template <auto Fn>
using ClassOf = typename MemberOf<decltype(Fn)>::type;
}  // namespace detail

template <auto Fn>
constexpr MsgEntry Command(UINT id, UINT code = BN_CLICKED) {
    return {WM_COMMAND, code, id, id, [](CWnd& self, WPARAM, LPARAM) -> LRESULT {
                (static_cast<detail::ClassOf<Fn>&>(self).*Fn)();
                return 0;
            }};
}

template <auto Fn>
constexpr MsgEntry CommandRange(UINT idFirst, UINT idLast, UINT code) {
    return {WM_COMMAND, code, idFirst, idLast, [](CWnd& self, WPARAM wParam, LPARAM) -> LRESULT {
                (static_cast<detail::ClassOf<Fn>&>(self).*Fn)(LOWORD(wParam));
                return 0;
            }};
}

template <auto Fn>
constexpr MsgEntry Message(UINT message) {
    return {message, 0, 0, 0, [](CWnd& self, WPARAM wParam, LPARAM lParam) -> LRESULT {
                return (static_cast<detail::ClassOf<Fn>&>(self).*Fn)(wParam, lParam);
            }};
}

template <typename Base, size_t N>
MsgMap MakeMap(const MsgEntry (&entries)[N]) {
    return {Base::GetThisMessageMap(), entries, entries + N};
}

}  // namespace fw

// At the end of a class body: the class's own table and the lookup the dispatcher uses.
// The class defines GetThisMessageMap() with a static table of entries and
// fw::MakeMap<BaseClass>(entries).
#define DECLARE_MESSAGE_MAP()                          \
public:                                                \
    static const fw::MsgMap* GetThisMessageMap();      \
                                                       \
protected:                                             \
    const fw::MsgMap* GetMessageMap() const override { \
        return GetThisMessageMap();                    \
    }
