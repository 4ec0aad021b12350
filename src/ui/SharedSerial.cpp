#include "ui/SharedSerial.h"

#include <string>

#include "framework/MessageBox.h"
#include "framework/SystemFiles.h"
#include "settings/FieldRules.h"
#include "settings/Settings.h"
#include "ui/Messages.h"
#include "ui/resource.h"

void CSharedSerial::Start(HWND dialog, std::int32_t& serial) {
    m_dialog = dialog;
    const FilePlace place = StoredSerialFile();
    m_counter.Use(place.path, place.problem);
    Show(serial);
}

void CSharedSerial::Show(std::int32_t& serial) {
    // The counter hands out the numbers: one typed into the field would never be written.
    const bool shared = m_counter.InUse();
    ::SendDlgItemMessageW(m_dialog, IDC_SERIAL, EM_SETREADONLY, shared, 0);
    ::EnableWindow(::GetDlgItem(m_dialog, IDC_SERIAL_PLUS), !shared);
    m_tips.SetSerialTip(shared ? kCounterInUse + m_counter.Path() + kCounterTip : L"");
    if (const auto number = shared ? m_counter.Peek() : std::nullopt)
        serial = *number;
}

bool CSharedSerial::Take(std::int32_t& serial) {
    if (!InUse())
        return true;
    const CSerialCounter::Taken taken = m_counter.Take();
    if (taken.serial)
        serial = *taken.serial;
    else
        fw::MessageBox(m_dialog, taken.message, MB_OK | MB_ICONEXCLAMATION);
    return taken.serial.has_value();
}

std::int32_t CSharedSerial::Next(std::int32_t serial) {
    if (!InUse())
        return NextSerial(serial);
    m_counter.Confirm();
    return m_counter.Peek().value_or(NextSerial(serial));
}

bool CSharedSerial::Choose(std::int32_t& serial) {
    std::wstring path;
    const int answer =
        InUse() ? fw::MessageBox(m_dialog, kCounterInUse + m_counter.Path() + kCounterChoice,
                                 MB_YESNOCANCEL | MB_ICONQUESTION)
                : IDYES;
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES) {
        const auto chosen = fw::AskFilePath(m_dialog, fw::FileDialog::AddTo, kCounterFilter, L"txt",
                                            m_counter.Path());
        if (!chosen)
            return false;
        path = *chosen;
        if (const std::wstring failure = MakeCounter(path, serial); !failure.empty()) {
            fw::MessageBox(m_dialog, kCannotMakeCounter + path + L"\":\n" + failure,
                           MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    // No: the bench numbers its own key boxes again, from the number the field shows.
    if (!StoreSerialFile(path)) {
        fw::MessageBox(m_dialog, kRegistryWriteFailed);
        return false;
    }
    m_counter.Use(path);
    Show(serial);
    return true;
}
