#include "ui/Keycodes.h"

#include "framework/DataExchange.h"
#include "keycodes/HidKeyNames.h"
#include "keycodes/KeycodeChooser.h"
#include "text/HexText.h"
#include "ui/resource.h"

CKeycodes::CKeycodes(IKeycodesHost* mainDlg) : CDialogEx(IDD_KEYCODES), m_mainDlg(mainDlg) {}

const fw::MsgMap* CKeycodes::GetThisMessageMap() {
    static const fw::Entry<CKeycodes> entries[] = {
        fw::Command<&CKeycodes::OnKeySelected>(IDC_KC_KEY, CBN_SELCHANGE),
        fw::Command<&CKeycodes::OnModifierClicked>(IDC_KC_ALT),
        fw::Command<&CKeycodes::OnModifierClicked>(IDC_KC_CTRL),
        fw::Command<&CKeycodes::OnModifierClicked>(IDC_KC_GUI),
        fw::Command<&CKeycodes::OnModifierClicked>(IDC_KC_SHIFT),
        fw::Command<&CKeycodes::OnNext>(IDC_KC_NEXT),
        fw::Command<&CKeycodes::OnRepeatClicked>(IDC_KC_REPEAT),
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

void CKeycodes::DoDataExchange(CDataExchange& dx) {
    CDialogEx::DoDataExchange(dx);
    fw::DDX_Check(dx, IDC_KC_ALT, m_alt);
    fw::DDX_Check(dx, IDC_KC_CTRL, m_ctrl);
    fw::DDX_Check(dx, IDC_KC_GUI, m_gui);
    fw::DDX_Check(dx, IDC_KC_SHIFT, m_shift);
    fw::DDX_Control(dx, IDC_KC_KEY, m_keyCombo);
    fw::DDX_Control(dx, IDC_KC_SLOT_LABEL, m_slotLabel);
    fw::DDX_Check(dx, IDC_KC_REPEAT, m_repeat);
    fw::DDX_Control(dx, IDC_KC_REPEAT, m_repeatButton);
}

BOOL CKeycodes::OnInitDialog() {
    CDialogEx::OnInitDialog();
    // The list is never sorted: a position in it is an index into the name table.
    for (const std::wstring_view name : g_hidKeyNames)
        m_keyCombo.AddString(name);
    m_repeatMask = ParseHexText(m_mainDlg->RepeatText());
    m_slot = m_mainDlg->CurrentSlot();
    ShowSlotLabel();
    return TRUE;
}

void CKeycodes::ShowSlotLabel() {
    m_slotLabel.ReplaceAll(SlotLabel(m_slot));
}

void CKeycodes::OnKeySelected() {
    WriteKeyCode();
}

void CKeycodes::OnModifierClicked() {
    WriteKeyCode();
}

void CKeycodes::WriteKeyCode() {
    UpdateData(TRUE);
    // The slot's old word is never read: a slot is rewritten only when the user picks here.
    const auto word = ChosenKeyCodeWord(m_keyCombo.GetCurSel(), m_ctrl != FALSE, m_shift != FALSE,
                                        m_alt != FALSE, m_gui != FALSE);
    if (word)
        m_mainDlg->SetSlotText(m_slot, FormatHexText(*word));
}

void CKeycodes::OnNext() {
    const NextSlotStep step = NextSlot(m_slot, m_mainDlg->Contacts());
    m_slot = step.slot;
    m_mainDlg->SetCurrentSlot(step.slot);
    m_mainDlg->SelectSlot(step.slot);
    ShowSlotLabel();
    m_repeatButton.EnableWindow(step.repeatEnabled ? TRUE : FALSE);
    // "Repeat" starts unticked on every slot; the modifiers and the list stay as they are.
    m_repeat = FALSE;
    UpdateData(FALSE);
    if (step.close)
        OnOK();
}

void CKeycodes::OnRepeatClicked() {
    UpdateData(TRUE);
    m_repeatMask = ApplyRepeat(m_repeatMask, m_slot, m_repeat != FALSE);
    m_mainDlg->SetRepeatText(FormatHexText(m_repeatMask));
}
