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
#include "framework/PreciseTimer.h"
#include "programming/ConfigImage.h"
#include "programming/FeedbackKey.h"
#include "programming/LockTransmission.h"
#include "programming/WriteCommand.h"
#include "settings/ConfigFile.h"
#include "settings/ProductionLog.h"
#include "ui/KeycodesHost.h"
#include "ui/LogKeeper.h"

class CProgressDlg;

class COrvantaDlg : public CDialogEx,
                    private IWriteHost,
                    private CLockTransmission::Port,
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
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnHelpInfo(WPARAM, LPARAM);
    void OnContactsSelChange();
    void OnContactsEditChange();
    void OnWrite();
    void OnRead();
    void OnKeycode();
    void OnSlotFocus(UINT id);
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
    // A tooltip on every slot field and on the key-repeat field tells what it holds in words.
    void AddFieldTips();
    void LoadSettings();
    void SaveSettings();
    void SaveSerial();
    // The transmission's timer has woken: the step that has come due goes out.
    static void TransmitStep(void* dialog);
    void LeaveLocksOff();

    // Configuration files. A file that is refused changes nothing; a save that fails leaves
    // the file as it was. Both tell the user in a message box.
    void OpenConfiguration(const std::wstring& path);
    void SaveConfiguration(const std::wstring& path);
    // The values a file names go into their members and fields, as if the user had typed them.
    void ApplyConfiguration(const ConfigValues& values);
    // The production log's record of this write, as the members say.
    LogRecord WriteRecord(LogMethod method) const;
    void AwaitLedAnswer(int length);  // the image of `length` bytes goes out over the LEDs
    void ChooseLogFile();

    // The write command's side of the dialog.
    bool ControlsToMembers() override;
    WriteMembers ReadMembers() override;
    void FocusFeedback() override;
    bool IsLockKeyOn(int vk) override;
    void ShowMessage(std::wstring_view text) override;
    void ClearFeedback() override;
    void SetAwaitAck() override;
    std::wstring SlotText(int slot) override;
    std::wstring RepeatFieldText() override;
    void SendImageBlocking(int length) override;
    bool StartTimedTransmission(int length) override;
    void MembersToControls() override;
    void ClearNotWritten() override;
    void LibraryWritten(const std::vector<std::uint8_t>& registers, bool ok) override;

    // What the key code chooser reads and writes.
    int CurrentSlot() const override;
    void SetCurrentSlot(int slot) override;
    int Contacts() const override;
    void SetSlotText(int slot, std::wstring_view text) override;
    void SelectSlot(int slot) override;
    std::wstring RepeatText() const override;
    void SetRepeatText(std::wstring_view text) override;

    // The transmission's side of the dialog and of the platform.
    void SendBatch(const KeyBatch& batch, KeyAction action) override;
    void ShowCountdown(int bytesLeft) override;
    void ImageSent() override;
    void Progress(int step) override;
    bool StartTimer() override;
    void WakeAt(std::int64_t dueUs) override;
    void StopTimer() override;
    std::int64_t NowMicroseconds() override;
    void Sleep(int milliseconds) override;

    HICON m_icon = nullptr;
    CEdit m_feedback;         // edit 1214: write feedback, acknowledgement, key echo
    CComboBox m_contactsBox;  // combo 1051: "1".."24"
    std::int32_t m_serial = 0;
    std::wstring m_contactsText;
    std::int32_t m_register0 = 0;  // what direct programming writes to register 0
    BOOL m_protected = FALSE;
    std::uint32_t m_bounceTime = 10;
    std::uint32_t m_speed = 50;  // programming speed: the transmission timer interval in ms
    std::wstring m_repeatText;   // key-repeat mask as hex text
    BOOL m_keyStack = FALSE;
    DeviceLibrary m_device;  // null: no library device, writes use the lock LEDs
    std::int32_t m_deviceNo = 0;
    std::int32_t m_contacts = 4;
    std::int32_t m_slot = 0;  // current key-event slot, 0..47
    BOOL m_notWritten = FALSE;
    std::wstring_view m_versionTitle;
    std::vector<std::wstring> m_startupFiles;
    std::wstring m_configFile;  // the file last opened or saved: where the file dialogs start
    BOOL m_awaitAck = FALSE;
    std::int32_t m_expectedAck = 0;
    CProgressDlg* m_progressDlg = nullptr;  // not owned; none is attached by the program
    ConfigImage m_image{};                  // rebuilt in place by each write, never cleared
    CPreciseTimer m_txTimer;                // paces the timed transmission
    CLockTransmission m_transmission{m_image, *this};  // m_txStep, m_txSteps, the schedule
    CLogKeeper m_logKeeper;  // the production log, and the write whose answer is awaited
    CButton m_waitButton;
    CButton m_programmedButton;
    CButton m_readButton;
    HWND m_tips = nullptr;   // the fields' tooltip, which the dialog's mouse messages reach
    std::wstring m_tipText;  // the text of the tooltip on show
};
