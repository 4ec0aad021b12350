#include "programming/WriteCommand.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "text/HexText.h"

namespace {

using Log = std::vector<std::string>;

std::string Iox(int address, int value) {
    return "IOX " + std::to_string(address) + " " + std::to_string(value);
}

// Slot 0 holds a text wider than a key code word; the others distinct high and low bytes.
std::uint32_t SlotValue(int s) {
    return s == 0 ? 0x12345u : static_cast<std::uint32_t>((s + 1) << 8 | (0x80 + s));
}

// The dialog and the device library in one object, so that one log keeps the calls of both
// sides in their order.
class FakeDialog : public IWriteHost, public CBrondel {
public:
    explicit FakeDialog(int type = kDeviceTypeC, int version = 0, int hardware = 0)
        : type(type), version(version), hardware(hardware) {
        // Serial 0x12345, bounce time 10, speed 50, 4 contacts, device number 2.
        members.config.serial = 0x12345;
        for (int s = 0; s < kSlotCount; ++s)
            members.config.slots[static_cast<std::size_t>(s)] = FormatHexText(SlotValue(s));
        members.deviceNo = 2;
    }
    int Write(bool withDevice, bool blocking = false) {
        return RunWriteCommand(*this, withDevice ? this : nullptr, image, blocking);
    }

    Log log;
    WriteInput members;
    bool refuseField = false;   // the exchange from the controls refuses a field
    bool refuseSerial = false;  // no serial number could be taken from the shared counter
    bool refuseTimer = false;   // the system refuses the timed transmission's timer
    std::set<int> locksOn;
    ConfigImage image{};
    int type, version, hardware;
    int failAt = 0, failResult = 0;  // the IOX call (counted from 1) that returns failResult

    int GetUSBType(int device) override { return Device(device, "GetUSBType", type); }
    int GetVersion(int device) override { return Device(device, "GetVersion", version); }
    int GetHWversion(int device) override { return Device(device, "GetHWversion", hardware); }
    int SetLED(int device, LED_IDs led, int value) override {
        return Device(device, "SetLED " + std::to_string(led) + " " + std::to_string(value), 1);
    }
    int IOX(int device, int address, int value) override {
        return Device(device, Iox(address, value), ++m_ioxCalls == failAt ? failResult : 1);
    }
    int ResetDevice(int device) override { return Device(device, "ResetDevice", 1); }

    bool ControlsToMembers() override { return Note("UpdateData(TRUE)", !refuseField); }
    bool TakeSerial() override { return Note("TakeSerial", !refuseSerial); }
    WriteInput ReadInput() override { return Note("ReadInput", members); }
    void FocusFeedback() override { Note("FocusFeedback"); }
    bool IsLockKeyOn(int vk) override {
        return Note("GetKeyState " + std::to_string(vk), locksOn.count(vk) != 0);
    }
    void ShowMessage(std::wstring_view text) override {
        Note("Message " + std::string(text.begin(), text.end()));
    }
    void ClearFeedback() override { Note("ClearFeedback"); }
    void SetAwaitAck() override { Note("AwaitAck"); }
    void SendImageBlocking(int length) override {
        Note("SendImageBlocking " + std::to_string(length));
    }
    bool StartTimedTransmission(int length) override {
        return Note("StartTimedTransmission " + std::to_string(length), !refuseTimer);
    }
    void MembersToControls() override { Note("UpdateData(FALSE)"); }
    void ClearNotWritten() override { Note("NotWritten=0"); }
    void LibraryWritten(const std::vector<std::uint8_t>& written, bool allOk) override {
        Note("LibraryWritten");
        logged = written;
        ok = allOk;
    }
    std::vector<std::uint8_t> logged;  // what the last library write reported
    bool ok = false;

private:
    template <class T = int>
    T Note(const std::string& call, T result = {}) {
        log.push_back(call);
        return result;
    }
    int Device(int device, const std::string& call, int result) {
        EXPECT_EQ(device, members.deviceNo) << call;
        return Note(call, result);
    }
    int m_ioxCalls = 0;
};

Log operator+(Log log, const Log& more) {
    log.insert(log.end(), more.begin(), more.end());
    return log;
}

// The entries entry(i) makes for i = first..last, one after the other.
template <class Entry>
Log Each(int first, int last, Entry entry) {
    Log log;
    for (int i = first; i <= last; ++i)
        log = log + Log{entry(i)};
    return log;
}

const Log kAwait = {"ClearFeedback", "AwaitAck"};
const Log kImageEnd = {"UpdateData(FALSE)", "NotWritten=0"};
const Log kLibraryImageEnd = Log{"LibraryWritten"} + kImageEnd;
const Log kDirectEnd = {"LibraryWritten", "UpdateData(FALSE)", "SetLED 3 0", "ResetDevice",
                        "NotWritten=0"};

// The calls up to the first register write.
Log Start(int type, bool direct) {
    Log log = {"UpdateData(TRUE)", "TakeSerial", "ReadInput", "GetUSBType", "GetVersion"};
    if (type == kDeviceTypeA || type == kDeviceTypeB)
        log.push_back("GetHWversion");
    if (direct)
        log.push_back("SetLED 3 15");
    return log + kAwait;
}

Log Serial(int count = 8) {  // serial 0x12345: digits 0012345 and their XOR
    static const int bytes[] = {0x30, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x31};
    return Each(0, count - 1, [](int i) { return Iox(8 + i, bytes[i]); });
}

Log Clearing(int first, int last) {
    return Log{"GetHWversion"} +
           Each(first, last, [](int address) { return Iox(address, address % 4 == 3 ? 0x80 : 0); });
}

Log Header(int contacts, int count = 4) {
    const Log all = {Iox(2, 0x10), Iox(0, 0), Iox(3, contacts), Iox(4, 0x14)};
    return Log(all.begin(), all.begin() + count);
}

Log KeyCodes(int start, int count) {
    return Each(0, count - 1, [&](int s) -> Log {
        return {Iox(start + 2 * s, SlotValue(s) >> 8), Iox(start + 2 * s + 1, SlotValue(s) & 0xFF)};
    });
}

Log ImageWrites(const ConfigImage& image, int count) {
    return Each(0, count - 1, [&](int j) { return Iox(j, image[static_cast<std::size_t>(j)]); });
}

// What a build from the dialog's fields makes of a buffer.
ConfigImage Built(const FakeDialog& d, ConfigImage image = {}) {
    BuildConfigImage(image, d.members.config);
    return image;
}

// The configuration a library write reports for the log: the active bytes of the build.
std::vector<std::uint8_t> LoggedImage(const FakeDialog& d) {
    const ConfigImage image = Built(d);
    return {image.begin(), image.begin() + ActiveLength(d.members.config.contacts)};
}

constexpr int A = kDeviceTypeA, B = kDeviceTypeB, C = kDeviceTypeC, H = kDeviceTypeImage;

// The last seven rows: schemes of 2n + 1 slots stop at the 48 slot fields that exist, and a
// negative contact count gives no slots.
TEST(WriteCommand, DeviceTypesAndKeyCodeSchemes) {
    const struct {
        int type, version, hardware, contacts;
        int start, slots;  // first key-code register and slots written; -1: the image
    } rows[] = {
        {A, 2, 0, 4, 6, 1},    {A, 3, 0, 4, 24, 9},   {A, 6, 0, 1, 24, 3},
        {A, 7, 0, 4, 24, 8},   {A, 4, 1, 4, -1, 8},   {B, 3, 0, 4, 16, 16},
        {B, 4, 0, 1, 16, 32},  {B, 0, 7, 9, -1, 48},  {C, 0, 0, 4, 24, 9},
        {C, 9, 1, 23, 24, 47}, {H, 0, 1, 30, -1, 48}, {H, 0, 0, -5, -1, 8},
        {0x30, 3, 0, 4, 0, 0}, {0x00, 0, 1, 4, 0, 0}, {C, 0, 0, 24, 24, 48},
        {C, 0, 0, 30, 24, 48}, {A, 5, 0, 24, 24, 48}, {C, 0, 0, INT_MAX, 24, 48},
        {C, 0, 0, 0, 24, 1},   {C, 0, 0, -1, 24, 0},  {C, 0, 0, INT_MIN, 24, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.type << " v" << row.version << " n" << row.contacts);
        FakeDialog d(row.type, row.version, row.hardware);
        d.members.config.contacts = row.contacts;
        ASSERT_EQ(d.Write(true), 0);
        EXPECT_EQ(d.image, row.start < 0 ? Built(d) : ConfigImage{});  // direct: left alone
        EXPECT_EQ(d.logged, LoggedImage(d));
        EXPECT_TRUE(d.ok);
        if (row.start < 0) {
            EXPECT_EQ(d.log, Start(row.type, false) +
                                 ImageWrites(d.image, row.contacts <= 8 ? 43 : 109) +
                                 kLibraryImageEnd);
            continue;
        }
        const Log option = row.type == A && row.version >= 7 ? Log{Iox(40, 0x22)} : Log{};
        EXPECT_EQ(d.log, Start(row.type, true) + Serial() +
                             Clearing(row.hardware ? 16 : 24, row.hardware ? 31 : 71) +
                             Header(row.contacts) + KeyCodes(row.start, row.slots) + option +
                             kDirectEnd);
    }
}

TEST(WriteCommand, OptionByteOfTypeAFromFirmware7) {
    const std::tuple<const wchar_t*, bool, std::uint32_t, int> rows[] = {
        {L"", false, 50, 0x22}, {L"", true, 50, 0x26},   {L"1", false, 50, 0x20},
        {L"0", true, 15, 0xF4}, {L"", false, 500, 0x42},
    };
    for (const auto& [repeatText, keyStack, speed, option] : rows) {
        FakeDialog d(A, 7);
        d.members.config.repeatText = repeatText, d.members.keyStack = keyStack;
        d.members.config.speed = speed;
        ASSERT_EQ(d.Write(true), 0);
        EXPECT_EQ(d.log.at(d.log.size() - 6), Iox(40, option)) << "speed " << speed;
    }
}

TEST(WriteCommand, StageFailures) {
    const ConfigImage image = Built(FakeDialog());
    const Log optionAndEnd = Log{Iox(40, 0x22)} + kDirectEnd;
    const Log slot0AndHalfOf1 = {Iox(24, 0x123), Iox(25, 0x45), Iox(26, 2)};
    struct Row {
        int type, version, failAt, failResult, result;
        Log rest;  // after the start
    };
    std::vector<Row> rows = {
        {C, 0, 1, 0, 0, Serial(1) + KeyCodes(24, 9) + kDirectEnd},
        {C, 0, 8, 0, 0, Serial(8) + KeyCodes(24, 9) + kDirectEnd},
        {C, 0, 15, 0, 0,  // clearing register 30
         Serial() + Clearing(24, 30) + Header(4) + KeyCodes(24, 9) + kDirectEnd},
        {A, 7, 63, 0, 0,  // slot 1's high byte; register 40 still follows
         Serial() + Clearing(24, 71) + Header(4) + slot0AndHalfOf1 + optionAndEnd},
        {A, 7, 77, 0, 0,  // register 40's own result does not matter
         Serial() + Clearing(24, 71) + Header(4) + KeyCodes(24, 8) + optionAndEnd},
        {H, 0, 20, -1, 0, ImageWrites(image, 20) + kLibraryImageEnd},
        {H, 0, 5, 0, 0, ImageWrites(image, 43) + kLibraryImageEnd},
    };
    for (int i = 0; i < 4; ++i) {  // a header write: no key codes, no closing
        rows.push_back({A, 7, 57 + i, 0, -1,
                        Serial() + Clearing(24, 71) + Header(4, i + 1) +
                            Log{"LibraryWritten", "Message IOX failed"}});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << row.type << ", IOX call " << row.failAt);
        FakeDialog d(row.type, row.version);
        d.failAt = row.failAt;
        d.failResult = row.failResult;
        EXPECT_EQ(d.Write(true), row.result);
        const bool direct = row.type != H;
        EXPECT_EQ(d.log, Start(row.type, direct) + row.rest);
        // A result of 0 is a failure for direct programming only.
        EXPECT_EQ(d.logged, LoggedImage(d));
        EXPECT_EQ(d.ok, !direct && row.failResult >= 0);
    }
}

// Without a library device: the lock keys are asked in turn until one is on, which refuses
// the write; with all off the image is rebuilt in place and sent by the chosen transmitter.
// A timer the system refuses ends the write unwritten.
TEST(WriteCommand, LockLedChannel) {
    const struct {
        int lockOn, contacts;
        bool blocking, refuseTimer = false;
    } rows[] = {{0, 4, false},    {0, 24, true},    {0, 9, false},      {0x14, 4, true},
                {0x90, 4, false}, {0x91, 4, false}, {0, 4, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "vk " << row.lockOn << " n " << row.contacts);
        FakeDialog d;
        d.locksOn = {row.lockOn};
        d.members.config.contacts = row.contacts;
        d.refuseTimer = row.refuseTimer;
        d.image.fill(0x5A);
        const ConfigImage old = d.image;
        Log expected = {"UpdateData(TRUE)", "TakeSerial", "ReadInput", "FocusFeedback"};
        for (int vk : {0x14, 0x90, 0x91}) {
            expected.push_back("GetKeyState " + std::to_string(vk));
            if (vk == row.lockOn)
                break;
        }
        EXPECT_EQ(d.Write(false, row.blocking), row.lockOn != 0 || row.refuseTimer ? -1 : 0);
        EXPECT_EQ(d.image, row.lockOn != 0 ? old : Built(d, old));
        if (row.lockOn != 0) {
            expected.push_back("Message  ---  Lock active!! ----");
        } else {
            const bool full = row.contacts > 8;
            const std::string send = row.blocking ? "SendImageBlocking" : "StartTimedTransmission";
            expected = expected + kAwait + Log{send + (full ? " 109" : " 43")} +
                       (row.refuseTimer ? Log{} : kImageEnd);
        }
        EXPECT_EQ(d.log, expected);
    }
}

// A field the exchange refuses (a speed of 0 or 501, letters in the serial field) stops the
// write before anything is asked, sent or changed: the refused value never reaches the key
// box, no wait begins and m_notWritten keeps its value. So does a serial number that the
// shared counter could not give, whichever way the write would go.
TEST(WriteCommand, ARefusedFieldOrNoSerialNumberStopsTheWrite) {
    const Log refused = {"UpdateData(TRUE)", "TakeSerial"};
    for (int row = 0; row < 4; ++row) {  // the field or the serial number, without and with device
        FakeDialog d;
        (row < 2 ? d.refuseField : d.refuseSerial) = true;
        d.image.fill(0x5A);
        EXPECT_EQ(d.Write(row % 2 != 0), -1);
        EXPECT_EQ(d.log, Log(refused.begin(), refused.begin() + 1 + row / 2));
        EXPECT_EQ(d.image[0], 0x5A);
    }
}

}  // namespace
