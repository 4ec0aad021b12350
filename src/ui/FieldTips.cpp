#include "ui/FieldTips.h"

#include <commctrl.h>

#include <utility>

#include "framework/Wnd.h"
#include "keycodes/SlotTips.h"
#include "programming/ConfigImage.h"
#include "ui/resource.h"

void CFieldTips::Create(HWND dialog) {
    // The tooltip sees the mouse through PreTranslateMessage rather than by subclassing each of
    // the 49 fields, which costs the start-up more than the rest of the tooltip.
    HWND tips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (tips == nullptr)
        return;  // the fields work as they did, without the words
    m_tips = tips;
    for (int id = IDC_SLOT_FIRST; id <= IDC_SLOT_LAST; ++id)
        Tool(TTM_ADDTOOLW, id);
    Tool(TTM_ADDTOOLW, IDC_REPEAT);
    if (!m_serialTip.empty())
        Tool(TTM_ADDTOOLW, IDC_SERIAL);
    ::SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);  // time to read a long one
}

void CFieldTips::Tool(UINT message, int id) const {
    // The text is asked for each time a tip shows (OnNotify), so it is that of the field as it
    // stands, whatever changed it.
    const HWND dialog = ::GetWindow(m_tips, GW_OWNER);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, id));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_tips, message, 0, reinterpret_cast<LPARAM>(&tool));
}

void CFieldTips::SetSerialTip(std::wstring text) {
    if (m_tips != nullptr && text.empty() != m_serialTip.empty())
        Tool(text.empty() ? TTM_DELTOOLW : TTM_ADDTOOLW, IDC_SERIAL);
    m_serialTip = std::move(text);
}

void CFieldTips::Relay(MSG* msg) const {
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST && m_tips != nullptr)
        ::SendMessageW(m_tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

bool CFieldTips::Answer(LPARAM notification, int contacts) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(notification);
    if (info->hdr.code != TTN_GETDISPINFOW)
        return false;
    const HWND field = reinterpret_cast<HWND>(info->hdr.idFrom);
    const int slot = ::GetDlgCtrlID(field) - IDC_SLOT_FIRST;
    if (::GetDlgCtrlID(field) == IDC_SERIAL)
        m_text = m_serialTip;
    else if (slot >= 0 && slot < kSlotCount)
        m_text = SlotTip(slot, CWnd(field).GetWindowText(), contacts);
    else
        m_text = RepeatTip(CWnd(field).GetWindowText(), contacts);
    info->lpszText = m_text.data();
    return true;
}
