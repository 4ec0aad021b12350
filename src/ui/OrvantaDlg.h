// The main dialog: every setting of one key box, its 48 key-event slot fields, the state of
// a write and the device library object. It is the program's only main window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "device/Brondel.h"
#include "programming/ConfigImage.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/DialogEx.h"
#include "framework/Edit.h"

class CProgressDlg;

class COrvantaDlg : public CDialogEx {
public:
    COrvantaDlg();
    ~COrvantaDlg() override;

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
    std::unique_ptr<CBrondel> m_device;  // null: no library device, writes use the lock LEDs
    std::int32_t m_deviceNo = 0;
    std::int32_t m_contacts = 4;
    std::int32_t m_slot = 0;  // current key-event slot, 0..47
    BOOL m_notWritten = FALSE;
    std::wstring_view m_versionTitle;
    BOOL m_awaitAck = FALSE;
    std::int32_t m_expectedAck = 0;
    std::int32_t m_txStep = -1;
    std::int32_t m_txSteps = 0;
    UINT_PTR m_timerId = 0;                 // the transmission's thread timer; 0: none
    CProgressDlg* m_progressDlg = nullptr;  // not owned; none is attached by the program
    ConfigImage m_image{};                  // rebuilt in place by each write, never cleared
    CButton m_waitButton;
    CButton m_programmedButton;
    CButton m_readButton;

    // The write command's hand-offs to the lock-LED channel.
    void SendImageBlocking(const std::uint8_t* image, int length);
    void StartTimedTransmission(int length);
    // One tick of the timed transmission: performs step m_txStep.
    void TransmitStep();

    // The key code text of slot field s (0..47), and the key-repeat field's text.
    std::wstring SlotText(int slot) const;
    std::wstring RepeatFieldText() const;

    void LoadSettings();
    void SaveSettings();

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
    void OnSlotFocus(UINT id);
    void OnExit();
    void OnSerialPlus();
    void OnTest();
    LRESULT OnWriteRequest(WPARAM blocking, LPARAM);

    // The transmission timer has no window: it finds the dialog as the main window.
    static void CALLBACK TransmitTimerProc(HWND, UINT, UINT_PTR, DWORD);
    void KillTransmissionTimer();
    void StopTransmission();

    DECLARE_MESSAGE_MAP()
};
