// Compiled, not run, by two tests: with OWN_HANDLER it must compile; with FOREIGN_HANDLER the
// compiler must refuse a handler of another dialog class in a dialog's message map.
#include <type_traits>

#include "framework/DialogEx.h"

class CFirstDlg : public CDialogEx {
public:
    CFirstDlg() : CDialogEx(1) {}
    void OnFirst() {}
    DECLARE_MESSAGE_MAP()
};

class CSecondDlg : public CDialogEx {
public:
    CSecondDlg() : CDialogEx(2) {}
    void OnSecond() {}
    DECLARE_MESSAGE_MAP()
};

const fw::MsgMap* CFirstDlg::GetThisMessageMap() {
    static const fw::Entry<CFirstDlg> entries[] = {
#ifdef FOREIGN_HANDLER
        fw::Command<&CSecondDlg::OnSecond>(1),
#else
        fw::Command<&CFirstDlg::OnFirst>(1),
#endif
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

static_assert(!std::is_copy_constructible_v<CFirstDlg> && !std::is_copy_assignable_v<CFirstDlg>,
              "a dialog stands for its window and cannot be copied");
