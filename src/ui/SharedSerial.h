// The main dialog's side of the serial numbers that the benches share: the counter that the
// registry names, the number each write takes from it, the serial field and "+" while it is in
// use, and the system menu command that chooses the counter or stops sharing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/SerialCounter.h"
#include "settings/SerialFile_win.h"
#include "ui/FieldTips.h"

class CSharedSerial {
public:
    explicit CSharedSerial(CFieldTips& tips) : m_tips(tips) {}

    // At start, over the dialog's controls: the stored counter, whose number `serial` becomes.
    void Start(HWND dialog, std::int32_t& serial);
    bool InUse() const { return m_counter.InUse(); }
    // Before a write sends anything: `serial` becomes the number held or taken. False after a
    // message when none could be had.
    bool Take(std::int32_t& serial);
    // A key box has `serial`: the number the field shows next, the counter's or one higher.
    std::int32_t Next(std::int32_t serial);
    // "Shared serial numbers...": another counter (a new one starts at `serial`), or none.
    // True when `serial` and the fields' state changed.
    bool Choose(std::int32_t& serial);

private:
    // The field, "+" and the tip as the counter wants them, and its number in `serial`.
    void Show(std::int32_t& serial);

    HWND m_dialog = nullptr;
    CFieldTips& m_tips;
    CSerialFile m_file;
    CSerialCounter m_counter{m_file};
};
