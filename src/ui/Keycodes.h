// The key code chooser: fills the main dialog's key-event slots by key name instead of hex
// text. Every pick is written into the current slot's field at once; nothing is undone.
#pragma once

#include <cstdint>

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/DialogEx.h"
#include "framework/Edit.h"
#include "ui/KeycodesHost.h"

class CKeycodes : public CDialogEx {
public:
    // Owned by the main window, as every secondary dialog of the program.
    explicit CKeycodes(IKeycodesHost* mainDlg);

    BOOL m_alt = FALSE;
    BOOL m_ctrl = FALSE;
    BOOL m_gui = FALSE;
    BOOL m_shift = FALSE;
    std::uint32_t m_repeatMask = 0;  // working copy of the key-repeat field: bit n, contact n+1
    CComboBox m_keyCombo;
    IKeycodesHost* m_mainDlg;  // not owned
    // The slot the label shows and picks go to: the main dialog's current slot when the chooser
    // opens, then moved by "Next" only (a write that ends meanwhile resets the main dialog's).
    int m_slot = 0;
    CEdit m_slotLabel;
    BOOL m_repeat = FALSE;
    CButton m_repeatButton;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;

    void OnKeySelected();
    void OnModifierClicked();
    void OnNext();
    void OnRepeatClicked();

    void ShowSlotLabel();
    void WriteKeyCode();

    DECLARE_MESSAGE_MAP()
};
