// Table-driven message maps. Each dialog class keeps a static table of entries that tie a
// message (and for WM_COMMAND a notification code and a control id or id range) to a typed
// member handler; dispatch searches the class's table, then its base class's.
//
//   command handler:  void OnWrite()
//   range handler:    void OnSlotFocus(UINT id)
//   message handler:  LRESULT OnPaint(WPARAM, LPARAM)
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <type_traits>

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

// An entry of class T's table. Entries are typed by the class of their handler, so a handler
// of another class does not fit into T's table: the mistake fails to compile.
template <typename T>
struct Entry {
    MsgEntry entry;
};

template <auto Fn>
constexpr Entry<detail::ClassOf<Fn>> Command(UINT id, UINT code = BN_CLICKED) {
    return {{WM_COMMAND, code, id, id, [](CWnd& self, WPARAM, LPARAM) -> LRESULT {
                 (static_cast<detail::ClassOf<Fn>&>(self).*Fn)();
                 return 0;
             }}};
}

template <auto Fn>
constexpr Entry<detail::ClassOf<Fn>> CommandRange(UINT idFirst, UINT idLast, UINT code) {
    return {{WM_COMMAND, code, idFirst, idLast, [](CWnd& self, WPARAM wParam, LPARAM) -> LRESULT {
                 (static_cast<detail::ClassOf<Fn>&>(self).*Fn)(LOWORD(wParam));
                 return 0;
             }}};
}

template <auto Fn>
constexpr Entry<detail::ClassOf<Fn>> Message(UINT message) {
    return {{message, 0, 0, 0, [](CWnd& self, WPARAM wParam, LPARAM lParam) -> LRESULT {
                 return (static_cast<detail::ClassOf<Fn>&>(self).*Fn)(wParam, lParam);
             }}};
}

// Class T's map: its table, then its base class's map.
template <typename Base, typename T, size_t N>
MsgMap MakeMap(const Entry<T> (&entries)[N]) {
    static_assert(std::is_base_of_v<Base, T>);
    static const std::array<MsgEntry, N> table = [&entries] {
        std::array<MsgEntry, N> plain{};
        for (size_t i = 0; i < N; ++i)
            plain[i] = entries[i].entry;
        return plain;
    }();
    return {Base::GetThisMessageMap(), table.data(), table.data() + N};
}

}  // namespace fw

// At the end of a class body: the class's own table and the lookup the dispatcher uses.
// The class defines GetThisMessageMap() with a static table of fw::Entry<Class> and
// fw::MakeMap<BaseClass>(entries).
#define DECLARE_MESSAGE_MAP()                          \
public:                                                \
    static const fw::MsgMap* GetThisMessageMap();      \
                                                       \
protected:                                             \
    const fw::MsgMap* GetMessageMap() const override { \
        return GetThisMessageMap();                    \
    }
