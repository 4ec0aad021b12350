#include "framework/DataExchange.h"

#include <cassert>
#include <vector>

#include "framework/Wnd.h"
#include "text/ComboText.h"
#include "text/IntegerText.h"

HWND CDataExchange::PrepareCtrl(int id) const {
    HWND control = m_pDlgWnd->GetDlgItem(id);
    assert(control != nullptr && "the dialog template has no control with this id");
    return control;
}

void CDataExchange::Fail(int id, std::wstring message) {
    m_failId = id;
    m_failMessage = std::move(message);
}

namespace fw {

std::wstring SignedIntegerMessage() {
    return L"Please enter a whole number from -2147483648 to 2147483647.";
}

std::wstring UnsignedIntegerMessage() {
    return L"Please enter a whole number from 0 to 4294967295.";
}

std::wstring RangeMessage(std::uint32_t minimum, std::uint32_t maximum) {
    return L"Please enter a number from " + std::to_wstring(minimum) + L" to " +
           std::to_wstring(maximum) + L".";
}

namespace {

template <typename T, typename Parse>
void ExchangeNumber(CDataExchange& dx, int id, T& value, Parse parse, std::wstring (*message)()) {
    if (dx.Failed())
        return;
    CWnd control(dx.PrepareCtrl(id));
    if (dx.m_bSaveAndValidate) {
        if (const auto parsed = parse(control.GetWindowText())) {
            value = *parsed;
        } else {
            dx.Fail(id, message());
        }
    } else {
        control.SetWindowText(std::to_wstring(value));
    }
}

}  // namespace

void DDX_Text(CDataExchange& dx, int id, std::int32_t& value) {
    ExchangeNumber(dx, id, value, ParseInt32Text, SignedIntegerMessage);
}

void DDX_Text(CDataExchange& dx, int id, std::uint32_t& value) {
    ExchangeNumber(dx, id, value, ParseUInt32Text, UnsignedIntegerMessage);
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& value) {
    if (dx.Failed())
        return;
    CWnd control(dx.PrepareCtrl(id));
    if (dx.m_bSaveAndValidate) {
        value = control.GetWindowText();
    } else {
        control.SetWindowText(value);
    }
}

void DDX_Check(CDataExchange& dx, int id, BOOL& value) {
    if (dx.Failed())
        return;
    HWND control = dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate) {
        value = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? TRUE : FALSE;
    } else {
        ::SendMessageW(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void DDX_Check(CDataExchange& dx, int id, bool& value) {
    BOOL checked = value ? TRUE : FALSE;
    DDX_Check(dx, id, checked);
    value = checked != FALSE;
}

void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
    if (dx.Failed())
        return;
    control.Attach(dx.PrepareCtrl(id));
}

void DDX_CBString(CDataExchange& dx, int id, std::wstring& value) {
    if (dx.Failed())
        return;
    CWnd control(dx.PrepareCtrl(id));
    if (dx.m_bSaveAndValidate) {
        value = control.GetWindowText();
        return;
    }
    const int count = static_cast<int>(control.SendMessage(CB_GETCOUNT));
    std::vector<std::wstring> items;
    items.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; ++i) {
        const LRESULT length = control.SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
        std::wstring item(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        const LRESULT copied = control.SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(i),
                                                   reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        items.push_back(std::move(item));
    }
    const int index = FindPrefixItem(items, value);
    if (index >= 0) {
        control.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index));
    } else {
        control.SetWindowText(value);
    }
}

void DDV_MinMaxUInt(CDataExchange& dx, int id, std::uint32_t value, std::uint32_t minimum,
                    std::uint32_t maximum) {
    if (dx.Failed() || !dx.m_bSaveAndValidate)
        return;
    if (value < minimum || value > maximum)
        dx.Fail(id, RangeMessage(minimum, maximum));
}

}  // namespace fw
