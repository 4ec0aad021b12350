#include "programming/WriteCommand.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "programming/KeyBatch.h"
#include "text/HexText.h"

namespace {

// LED 3 is lit while the key box is being programmed register by register.
constexpr int kLedProgramming = 15;
constexpr int kLedIdle = 0;

constexpr int kSerialRegister = 8;
constexpr int kOptionRegister = 40;

struct KeyCodeScheme {
    int slotCount = 0;
    int firstRegister = 0;
};

// Schemes of 2n+1 slots would want a 49th slot at 24 contacts, and a contact count from the
// registry may be anything: the count is kept to the 48 slot fields that exist, and a
// negative count gives no slots (n = 0 still gives slot 0).
int ContactSlots(std::int32_t contacts) {
    const std::int64_t slots = 2 * static_cast<std::int64_t>(contacts) + 1;
    return static_cast<int>(std::clamp<std::int64_t>(slots, 0, kSlotCount));
}

KeyCodeScheme SchemeFor(int type, int version, std::int32_t contacts) {
    switch (type) {
        case kDeviceTypeA:
            if (version < 3) {
                return {1, 6};
            }
            if (version < 7) {
                return {ContactSlots(contacts), 24};
            }
            return {8, 24};
        case kDeviceTypeB:
            return {version <= 3 ? 16 : 32, 16};
        case kDeviceTypeC:
            return {ContactSlots(contacts), 24};
        default:
            return {};
    }
}

// The library's register writes of one key box, and whether any failed.
class CRegisters {
public:
    CRegisters(CBrondel& device, int deviceNo) : m_device(device), m_deviceNo(deviceNo) {}

    // Direct programming takes 0 as failure, the image write of a type 0x48 key box a
    // negative result. True when the register took the value.
    bool Write(int address, int value, bool image = false) {
        const int result = m_device.IOX(m_deviceNo, address, value);
        const bool written = image ? result >= 0 : result != 0;
        m_failed = m_failed || !written;
        return written;
    }
    bool Failed() const { return m_failed; }

private:
    CBrondel& m_device;
    int m_deviceNo;
    bool m_failed = false;
};

// The key-code area is emptied before the header, 0x80 in every register whose address ends
// in binary 11; a failed write leaves the rest as it was and the header still follows.
void ClearRegisters(CRegisters& registers, bool nonzeroHardware) {
    const int first = nonzeroHardware ? 16 : 24;
    const int last = nonzeroHardware ? 31 : 71;
    for (int address = first; address <= last; ++address) {
        if (!registers.Write(address, address % 4 == 3 ? 0x80 : 0x00))
            return;
    }
}

bool WriteHeader(CRegisters& registers, std::int32_t register0, std::int32_t contacts) {
    const int writes[][2] = {{2, 0x10}, {0, register0}, {3, contacts}, {4, 0x14}};
    for (const auto& [address, value] : writes) {
        if (!registers.Write(address, value))
            return false;
    }
    return true;
}

bool WriteSerial(CRegisters& registers, std::int32_t serial) {
    const auto bytes = SerialBytes(serial);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!registers.Write(kSerialRegister + static_cast<int>(i), bytes[i]))
            return false;
    }
    return true;
}

// Register 40 of a type A key box from firmware 7 on: no key-repeat mask (0x02), KeyStack
// (0x04) and the programming speed's low nibble in the high nibble.
int OptionByte(const WriteInput& in) {
    int option = in.config.repeatText.empty() ? 0x02 : 0x00;
    if (in.keyStack) {
        option |= 0x04;
    }
    return option | static_cast<int>((in.config.speed & 0x0F) << 4);
}

// High byte first. The high register gets the value shifted right by 8 without a mask, so a
// slot text wider than 16 bits reaches the key box as it was typed. The stage never reads
// past the last slot field, whatever the scheme asks for.
void WriteKeyCodes(const SlotTexts& slots, CRegisters& registers, KeyCodeScheme scheme) {
    for (int s = 0; s < scheme.slotCount && s < kSlotCount; ++s) {
        const std::uint32_t value = ParseHexText(slots[static_cast<std::size_t>(s)]);
        const int address = scheme.firstRegister + 2 * s;
        if (!registers.Write(address, static_cast<int>(value >> 8)) ||
            !registers.Write(address + 1, static_cast<int>(value & 0xFF))) {
            return;
        }
    }
}

// Register by register: serial number, the key-code area emptied, header, key codes and the
// option byte, with LED 3 lit meanwhile.
int WriteDirect(IWriteHost& host, CBrondel& device, const WriteInput& in, int type, int version,
                const ConfigImage& image) {
    const int dev = in.deviceNo;
    device.SetLED(dev, LED_STATUS, kLedProgramming);
    host.ClearFeedback();
    host.SetAwaitAck();
    // The log keeps the image that these fields make, as a write over the LEDs would send it,
    // so that its line reads back as a configuration.
    ConfigImage logged = image;
    const int length = BuildConfigImage(logged, in.config);
    const std::vector<std::uint8_t> configuration(logged.begin(), logged.begin() + length);
    CRegisters registers(device, dev);
    if (WriteSerial(registers, in.config.serial)) {
        ClearRegisters(registers, device.GetHWversion(dev) != 0);
        if (!WriteHeader(registers, in.register0, in.config.contacts)) {
            host.LibraryWritten(configuration, false);
            host.ShowMessage(kIoxFailedMessage);
            return -1;
        }
    }
    WriteKeyCodes(in.config.slots, registers, SchemeFor(type, version, in.config.contacts));
    if (type == kDeviceTypeA && version >= 7) {
        registers.Write(kOptionRegister, OptionByte(in));
    }
    host.LibraryWritten(configuration, !registers.Failed());
    host.MembersToControls();
    device.SetLED(dev, LED_STATUS, kLedIdle);
    device.ResetDevice(dev);
    host.ClearNotWritten();
    return 0;
}

// The configuration image, rebuilt in place: through the library byte by byte (image byte i
// to register i), or over the lock LEDs.
int WriteImage(IWriteHost& host, CBrondel* device, const WriteInput& in, ConfigImage& image,
               bool blocking) {
    host.ClearFeedback();
    host.SetAwaitAck();
    const int length = BuildConfigImage(image, in.config);
    if (device != nullptr) {
        CRegisters registers(*device, in.deviceNo);
        for (int j = 0; j < length; ++j) {
            if (!registers.Write(j, image[static_cast<std::size_t>(j)], true))
                break;
        }
        host.LibraryWritten({image.begin(), image.begin() + length}, !registers.Failed());
    } else if (blocking) {
        host.SendImageBlocking(length);
    } else if (!host.StartTimedTransmission(length)) {
        return -1;
    }
    host.MembersToControls();
    host.ClearNotWritten();
    return 0;
}

}  // namespace

int RunWriteCommand(IWriteHost& host, CBrondel* device, ConfigImage& image, bool blocking) {
    // A refused field stops the write: nothing goes out with a value the user was just told
    // is invalid, and the focus stays on that field. So does a serial number that could not be
    // taken: every way a write goes out carries the one taken here.
    if (!host.ControlsToMembers() || !host.TakeSerial())
        return -1;
    const WriteInput in = host.ReadInput();
    if (device == nullptr) {
        // The channel toggles the locks itself: one already on would corrupt the image.
        host.FocusFeedback();
        for (int vk : {kVkCapsLock, kVkNumLock, kVkScrollLock}) {
            if (host.IsLockKeyOn(vk)) {
                host.ShowMessage(kLockActiveMessage);
                return -1;
            }
        }
        return WriteImage(host, nullptr, in, image, blocking);
    }
    int type = device->GetUSBType(in.deviceNo);
    const int version = device->GetVersion(in.deviceNo);
    if ((type == kDeviceTypeA || type == kDeviceTypeB) && device->GetHWversion(in.deviceNo) != 0)
        type = kDeviceTypeImage;
    return type == kDeviceTypeImage ? WriteImage(host, device, in, image, blocking)
                                    : WriteDirect(host, *device, in, type, version, image);
}
