// The write command: takes the dialog's settings and slot texts to the key box, register by
// register through the device library, as a configuration image through the library, or over
// the lock LEDs. The dialog implements the host side of the sequence.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/Brondel.h"
#include "programming/ConfigImage.h"

inline constexpr std::wstring_view kLockActiveMessage = L" ---  Lock active!! ----";
inline constexpr std::wstring_view kIoxFailedMessage = L"IOX failed";

// Device type codes the library reports; 0x48 holds its configuration as an image.
inline constexpr int kDeviceTypeA = 0x41;
inline constexpr int kDeviceTypeB = 0x42;
inline constexpr int kDeviceTypeC = 0x43;
inline constexpr int kDeviceTypeImage = 0x48;

// What a write takes from the dialog after the exchange from the controls: the configuration
// (members and the slot and key-repeat fields), and the choices of direct programming.
struct WriteInput {
    Configuration config;
    bool keyStack = false;
    std::int32_t register0 = 0;
    int deviceNo = 0;
};

// The dialog's side of a write, in the order the command uses it.
class IWriteHost {
public:
    // UpdateData(TRUE). False when a field was refused: its message has been shown and the
    // focus put on it.
    virtual bool ControlsToMembers() = 0;
    // The write's serial number into the members: from the counter the benches share, when one
    // is in use. False when none could be had: the host has said why.
    virtual bool TakeSerial() = 0;
    virtual WriteInput ReadInput() = 0;
    virtual void FocusFeedback() = 0;
    virtual bool IsLockKeyOn(int vk) = 0;  // GetKeyState(vk) != 0: toggled on or held down
    virtual void ShowMessage(std::wstring_view text) = 0;  // OK only, application name caption
    virtual void ClearFeedback() = 0;
    virtual void SetAwaitAck() = 0;                  // m_awaitAck = 1
    virtual void SendImageBlocking(int length) = 0;  // sends bytes 0..length-1 of m_image
    // The same on a timer. False when the system refused the timer: the host has said so
    // and nothing went out.
    virtual bool StartTimedTransmission(int length) = 0;
    virtual void MembersToControls() = 0;  // UpdateData(FALSE)
    virtual void ClearNotWritten() = 0;    // m_notWritten = 0
    // A write through the library has ended: the configuration image of the fields written
    // (bytes 0..L-1, as a write over the LEDs would send them), and whether every register
    // took its value.
    virtual void LibraryWritten(const std::vector<std::uint8_t>& image, bool ok) = 0;

protected:
    ~IWriteHost() = default;
};

// device: the library object, or null when the library found no key box. image: the dialog's
// buffer, rebuilt in place on the image paths. blocking: the request's wParam, which only the
// lock-LED channel reads. Returns 0 when the command ran to its end, -1 when a field was
// refused, no serial number could be taken, a lock key was on, a header register could not be
// written or the timed transmission got no timer.
int RunWriteCommand(IWriteHost& host, CBrondel* device, ConfigImage& image, bool blocking);
