// The production log as a source of key maps, for a key box that comes back for service or
// must be replaced by one with the same keys: the log's lines in a list, newest first, found
// by serial number; the line taken gives back the key map that was written with it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/DialogEx.h"
#include "programming/Configuration.h"
#include "settings/ConfigFile.h"
#include "settings/ProductionLog.h"

// Reads the log the settings name and lets the user take the key map of one of its lines: the
// values it gives the fields, as a configuration file would (all but the serial number and the
// speed). Nothing when the log cannot be read (a message has named it and said why) or when the
// user took none.
std::optional<ConfigValues> TakeKeyMapFromLog(HWND owner);

class CLogKeyMapsDlg : public CDialogEx {
public:
    // `summary`: the line over the list.
    CLogKeyMapsDlg(std::vector<LoggedWrite> lines, std::wstring summary);

    // The key map of the line taken with OK: its contacts, bounce time, Protected, key repeat
    // and slots, and its serial number.
    const std::optional<Configuration>& Taken() const { return m_taken; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;  // takes the selected line; one that holds no key map says so
    LRESULT OnNotify(WPARAM, LPARAM info);
    void OnFindChange();

    DECLARE_MESSAGE_MAP()

private:
    // Row 0 is the newest line, the last in the file.
    const LoggedWrite& Line(int row) const {
        return m_lines[m_lines.size() - 1 - static_cast<std::size_t>(row)];
    }
    int SelectedRow() const;
    void SelectRow(int row);  // -1: none

    HWND m_list = nullptr;  // list view 1300, which asks for each cell's text as it shows it
    std::vector<LoggedWrite> m_lines;
    std::wstring m_summary;
    std::optional<Configuration> m_taken;
};
