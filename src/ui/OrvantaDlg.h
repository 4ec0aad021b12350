// The main dialog: every setting of one key box, its 48 key-event slot fields, the state of
// a write and the device library object. It is the program's only main window. Its state is
// its own: the write command and the transmission reach it through small interfaces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/DeviceLibrary.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/DialogEx.h"
#include "framework/Edit.h"
#include "programming/ConfigImage.h"
#include "programming/FeedbackKey.h"
#include "programming/LedTransmitter_win.h"
#include "programming/WriteCommand.h"
#include "settings/ConfigFile.h"
#include "settings/ProductionLog.h"
#include "ui/FieldTips.h"
#include "ui/KeycodesHost.h"
#include "ui/LogKeeper.h"
#include "ui/ProgressDlg.h"
#include "ui/SharedSerial.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

class COrvantaDlg : public CDialogEx,
                    private IWriteHost,
                    private CLedTransmitter::View,
                    private IKeycodesHost {
public:
    // `startupFiles`: the configuration file to open once the dialog shows; none is opened
    // when there are several.
    COrvantaDlg(std::wstring_view versionTitle, std::vector<std::wstring> startupFiles);

    // The feedback field's key monitor and the key box's acknowledgement letter.
    BOOL PreTranslateMessage(MSG* msg) override;

    // After the dialog has ended: a message names the production log lines that could not be
    // written, and where they wait.
    void ReportUnwrittenLog() const { m_logKeeper.ReportKept(); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnDestroy() override;

    LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_icon); }
    LRESULT OnHelpInfo(WPARAM, LPARAM) { return TRUE; }
    void OnContactsSelChange();
    void OnContactsEditChange();
    void OnWrite() { PostMessage(WM_APP_WRITE, 0, 0); }
    void OnRead();
    void OnKeycode();
    void OnSlotFocus(UINT id) { m_slot = static_cast<std::int32_t>(id) - IDC_SLOT_FIRST; }
    void OnExit();
    void OnSerialPlus();
    void OnTest();
    LRESULT OnWriteRequest(WPARAM blocking, LPARAM);
    LRESULT OnDropFiles(WPARAM drop, LPARAM);
    LRESULT OnOpenStartupFile(WPARAM, LPARAM);
    LRESULT OnNotify(WPARAM, LPARAM info);
    LRESULT OnTimer(WPARAM id, LPARAM);
    LRESULT OnEndSession(WPARAM ending, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void ShowContacts();  // the count in use, in the contacts field
    // The configuration with the slot fields' texts.
    Configuration Members() const;
    std::wstring SlotText(int slot) const {
        return CWnd(GetDlgItem(IDC_SLOT_FIRST + slot)).GetWindowText();
    }  // slot field 1160 + slot, 0..47
    // All four settings, or the serial number alone (as the key box's answer hands out the
    // next); a message when the registry refused them.
    void SaveSettings(bool serialOnly = false);

    // Configuration files. A file that is refused changes nothing; a save that fails leaves
    // the file as it was. Both tell the user in a message box.
    void OpenConfiguration(const std::wstring& path);
    // The one file of a drop or of the command line; `tooMany` says why none is opened.
    void OpenOneFile(const std::vector<std::wstring>& files, const wchar_t* tooMany);
    void SaveConfiguration(const std::wstring& path);
    // The values a file names go into their members and fields, as if the user had typed them.
    void ApplyConfiguration(const ConfigValues& values);
    // The production log's record of this write of `image`, as the members say.
    LogRecord WriteRecord(LogMethod method, std::vector<std::uint8_t> image) const;
    // The first `length` bytes of the image are going out over the lock LEDs: their line waits
    // for the key box's answer.
    void AwaitLedAnswer(int length);
    // What waits until the dialog has painted: the tooltips, and the log lines of a run before.
    void AfterFirstPaint();

    // The write command's side of the dialog.
    bool ControlsToMembers() override { return UpdateData(TRUE) != FALSE; }
    bool TakeSerial() override { return m_shared.Take(m_config.serial); }
    WriteInput ReadInput() override;
    void FocusFeedback() override { m_feedback.SetFocus(); }
    bool IsLockKeyOn(int vk) override { return ::GetKeyState(vk) != 0; }
    void ShowMessage(std::wstring_view text) override { MessageBox(text); }
    void ClearFeedback() override { m_feedback.ReplaceAll(L""); }
    void SetAwaitAck() override;
    void SendImageBlocking(int length) override;
    bool StartTimedTransmission(int length) override;
    void MembersToControls() override { UpdateData(FALSE); }
    void ClearNotWritten() override { m_notWritten = FALSE; }
    void LibraryWritten(const std::vector<std::uint8_t>& registers, bool ok) override;

    // What the key code chooser reads and writes.
    int CurrentSlot() const override { return m_slot; }
    void SetCurrentSlot(int slot) override { m_slot = slot; }
    int Contacts() const override { return m_config.contacts; }
    void SetSlotText(int slot, std::wstring_view text) override;
    void SelectSlot(int slot) override;
    std::wstring RepeatText() const override {
        return CWnd(GetDlgItem(IDC_REPEAT)).GetWindowText();
    }
    void SetRepeatText(std::wstring_view text) override;

    // What the transmission shows in the dialog.
    void ShowCountdown(int bytesLeft) override {
        m_feedback.ReplaceAll(std::to_wstring(bytesLeft));
    }
    void ImageSent() override {
        ClearFeedback();
        m_slot = 0;
    }
    void Progress(int step) override {
        if (m_progressDlg != nullptr)
            m_progressDlg->SendMessage(WM_APP_PROGRESS, static_cast<WPARAM>(step));
    }

    static constexpr UINT_PTR kFieldTipsTimer = 1;  // the dialog's one window timer

    HICON m_icon = nullptr;
    CEdit m_feedback;         // edit 1214: write feedback, acknowledgement, key echo
    CComboBox m_contactsBox;  // combo 1051: "1".."24"
    // The configuration the fields show, but for its slots: the slot fields hold those.
    Configuration m_config;
    std::wstring m_contactsText;
    std::int32_t m_register0 = 0;  // what direct programming writes to register 0
    BOOL m_keyStack = FALSE;
    DeviceLibrary m_device;  // null: no library device, writes use the lock LEDs
    std::int32_t m_deviceNo = 0;
    std::int32_t m_slot = 0;  // current key-event slot, 0..47
    BOOL m_notWritten = FALSE;
    std::wstring_view m_versionTitle;
    std::vector<std::wstring> m_startupFiles;
    std::wstring m_configFile;  // the file last opened or saved: where the file dialogs start
    BOOL m_awaitAck = FALSE;
    std::int32_t m_expectedAck = 0;
    CProgressDlg* m_progressDlg = nullptr;          // not owned; none is attached by the program
    ConfigImage m_image{};                          // rebuilt in place by each write, never cleared
    CLedTransmitter m_transmitter{m_image, *this};  // the transmission and its timer
    CLogKeeper m_logKeeper;  // the production log, and the write whose answer is awaited
    CButton m_waitButton;
    CButton m_programmedButton;
    CButton m_readButton;
    CFieldTips m_tips;  // on every slot field and the key-repeat field: what it holds in words
    CSharedSerial m_shared{m_tips};  // the serial counter the benches share, when one is in use
};
