// Data exchange between a dialog's members and its controls, one call per control in the
// dialog's DoDataExchange. Reading the controls stops at the first entry that is refused;
// the calls after it do nothing, and UpdateData reports the failure.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control's window; a missing id is a programming error.
    HWND PrepareCtrl(int id) const;

    bool Failed() const { return m_failId != 0; }
    void Fail(int id, std::wstring message);
    int FailId() const { return m_failId; }
    const std::wstring& FailMessage() const { return m_failMessage; }

    const BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* const m_pDlgWnd;

private:
    int m_failId = 0;
    std::wstring m_failMessage;
};

namespace fw {

// Decimal number fields. A text that is no integer of the member's type is refused and the
// member keeps its value.
void DDX_Text(CDataExchange& dx, int id, std::int32_t& value);
void DDX_Text(CDataExchange& dx, int id, std::uint32_t& value);
void DDX_Text(CDataExchange& dx, int id, std::wstring& value);
void DDX_Check(CDataExchange& dx, int id, BOOL& value);
void DDX_Check(CDataExchange& dx, int id, bool& value);
// Attaches a control wrapper to its window (both directions).
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
// Editable combo box text. Shown as the first list item that begins with the text, or as the
// edit text when no item does.
void DDX_CBString(CDataExchange& dx, int id, std::wstring& value);
// Range check of a value just read; it names the allowed range.
void DDV_MinMaxUInt(CDataExchange& dx, int id, std::uint32_t value, std::uint32_t minimum,
                    std::uint32_t maximum);

// The texts the exchange shows for a refused entry.
std::wstring SignedIntegerMessage();
std::wstring UnsignedIntegerMessage();
std::wstring RangeMessage(std::uint32_t minimum, std::uint32_t maximum);

}  // namespace fw
