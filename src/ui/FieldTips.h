// The tooltip of the main dialog's slot fields and key-repeat field: each tells in words what
// its field holds, as the key box will be sent it. While the serial numbers come from a shared
// counter, the serial field's tip names it.
#pragma once

#include <windows.h>

#include <string>

class CFieldTips {
public:
    // Makes the tooltip over the fields of `dialog`; without it the fields work as they did.
    void Create(HWND dialog);
    // Mouse messages of the dialog's windows, which the tooltip must see to show.
    void Relay(MSG* msg) const;
    // A WM_NOTIFY of the dialog: the tooltip's request for a text is answered with what the
    // field holds now, for `contacts` contacts in use. False when it was another notification.
    bool Answer(LPARAM notification, int contacts);
    void Destroyed() { m_tips = nullptr; }  // the tooltip goes with its owner
    // The serial field's tip; none when empty.
    void SetSerialTip(std::wstring text);

private:
    // Adds or removes the tip of the field `id`.
    void Tool(UINT message, int id) const;

    HWND m_tips = nullptr;
    std::wstring m_serialTip;
    std::wstring m_text;  // the text of the tip on show
};
