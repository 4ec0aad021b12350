#include "programming/WriteCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using Writes = std::vector<std::pair<int, int>>;

std::string IoxEntry(int address, int value) {
    return "IOX " + std::to_string(address) + " " + std::to_string(value);
}

// The library as the key box answers it; every call goes into the shared log.
class FakeDevice : public CBrondel {
public:
    explicit FakeDevice(Log& log) : m_log(log) {}

    int type = kDeviceTypeC;
    int version = 0;
    int hardware = 0;
    int okResult = 1;
    int failAtCall = 0;  // 1-based IOX call that returns failResult; 0: none fails
    int failResult = 0;

    int GetUSBType(int device) override { return Note("GetUSBType", device, type); }
    int GetVersion(int device) override { return Note("GetVersion", device, version); }
    int GetHWversion(int device) override { return Note("GetHWversion", device, hardware); }
    int SetLED(int device, LED_IDs led, int value) override {
        m_log.push_back("SetLED " + std::to_string(device) + " " + std::to_string(int{led}) + " " +
                        std::to_string(value));
        return 1;
    }
    int IOX(int device, int address, int value) override {
        EXPECT_EQ(device, 0);
        m_log.push_back(IoxEntry(address, value));
        return ++m_calls == failAtCall ? failResult : okResult;
    }
    int ResetDevice(int device) override { return Note("ResetDevice", device, 1); }

private:
    int Note(const char* name, int device, int result) {
        m_log.push_back(name + (" " + std::to_string(device)));
        return result;
    }

    Log& m_log;
    int m_calls = 0;
};

// The dialog's side: members, slot fields, lock keys and the transmitters, all recorded.
class FakeDialog : public CWriteCommand {
public:
    explicit FakeDialog(Log& log) : m_log(log) {
        for (int s = 0; s < kSlotCount; ++s) {
            wchar_t text[16];
            std::swprintf(text, 16, L"%x", SlotValue(s));
            slots[static_cast<std::size_t>(s)] = text;
        }
        members.serial = 0x12345;
        members.contacts = 4;
        members.speed = 50;
        members.bounceTime = 10;
    }

    // Distinct high and low bytes in every slot field.
    static int SlotValue(int s) { return ((s + 1) << 8) | (0x80 + s); }

    Members members;
    SlotTexts slots;
    std::wstring repeatField;
    std::set<int> locksOn;

protected:
    void ControlsToMembers() override { m_log.push_back("UpdateData(TRUE)"); }
    Members ReadMembers() override {
        m_log.push_back("ReadMembers");
        return members;
    }
    void FocusFeedback() override { m_log.push_back("FocusFeedback"); }
    bool IsLockKeyOn(int vk) override {
        m_log.push_back("GetKeyState " + std::to_string(vk));
        return locksOn.count(vk) != 0;
    }
    void ShowMessage(std::wstring_view text) override {
        m_log.push_back("Message " + std::string(text.begin(), text.end()));
    }
    void ClearFeedback() override { m_log.push_back("ClearFeedback"); }
    void SetAwaitAck() override { m_log.push_back("AwaitAck"); }
    std::wstring SlotText(int slot) override {
        m_log.push_back("Slot " + std::to_string(slot));
        if (slot < 0 || slot >= kSlotCount) {
            ADD_FAILURE() << "asked for slot field " << slot << ", which does not exist";
            return L"";
        }
        return slots[static_cast<std::size_t>(slot)];
    }
    std::wstring RepeatFieldText() override {
        m_log.push_back("RepeatField");
        return repeatField;
    }
    void SendImageBlocking(const ConfigImage&, int length) override {
        m_log.push_back("SendImageBlocking " + std::to_string(length));
    }
    void StartTimedTransmission(int length) override {
        m_log.push_back("StartTimedTransmission " + std::to_string(length));
    }
    void MembersToControls() override { m_log.push_back("UpdateData(FALSE)"); }
    void ClearNotWritten() override { m_log.push_back("NotWritten=0"); }

private:
    Log& m_log;
};

class WriteCommandTest : public testing::Test {
protected:
    int Run(bool withDevice = true, bool blocking = false) {
        return dialog.Run(withDevice ? &device : nullptr, image, blocking);
    }

    Writes IoxWrites() const {
        Writes writes;
        for (const auto& entry : log) {
            int address = 0;
            int value = 0;
            if (std::sscanf(entry.c_str(), "IOX %d %d", &address, &value) == 2) {
                writes.emplace_back(address, value);
            }
        }
        return writes;
    }
    Log CallsOtherThanIox() const {
        Log calls;
        std::copy_if(log.begin(), log.end(), std::back_inserter(calls),
                     [](const std::string& e) { return e.rfind("IOX ", 0) != 0; });
        return calls;
    }
    std::vector<int> SlotsAsked() const {
        std::vector<int> asked;
        for (const auto& entry : log) {
            if (entry.rfind("Slot ", 0) == 0) {
                asked.push_back(std::stoi(entry.substr(5)));
            }
        }
        return asked;
    }
    // The writes that follow the header's last register (4 = 0x14).
    Writes WritesAfterHeader() const {
        const Writes all = IoxWrites();
        const auto header = std::find(all.begin(), all.end(), std::make_pair(4, 0x14));
        EXPECT_NE(header, all.end());
        return header == all.end() ? Writes{} : Writes(header + 1, all.end());
    }
    bool Logged(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }

    Log log;
    FakeDevice device{log};
    FakeDialog dialog{log};
    ConfigImage image{};
};

// Serial 0x12345: digits "0012345" and their XOR.
const Writes kSerialWrites = {{8, 0x30},  {9, 0x30},  {10, 0x31}, {11, 0x32},
                              {12, 0x33}, {13, 0x34}, {14, 0x35}, {15, 0x31}};

Writes ClearingWrites(int first, int last) {
    Writes writes;
    for (int a = first; a <= last; ++a) {
        writes.emplace_back(a, a % 4 == 3 ? 0x80 : 0x00);
    }
    return writes;
}

Writes HeaderWrites(int contacts) {
    return {{2, 0x10}, {0, 0}, {3, contacts}, {4, 0x14}};
}

Writes KeyCodeWrites(int start, int count) {
    Writes writes;
    for (int s = 0; s < count; ++s) {
        writes.emplace_back(start + 2 * s, FakeDialog::SlotValue(s) >> 8);
        writes.emplace_back(start + 2 * s + 1, FakeDialog::SlotValue(s) & 0xFF);
    }
    return writes;
}

Writes Concat(std::initializer_list<Writes> parts) {
    Writes all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::vector<int> Range(int count) {
    std::vector<int> r;
    for (int i = 0; i < count; ++i) {
        r.push_back(i);
    }
    return r;
}

TEST_F(WriteCommandTest, TypeAFirmware2ProgramsRegistersInOrder) {
    device.type = kDeviceTypeA;
    device.version = 2;
    ASSERT_EQ(Run(), 0);

    Log expected = {"UpdateData(TRUE)", "ReadMembers",   "GetUSBType 0",  "GetVersion 0",
                    "GetHWversion 0",   "SetLED 0 3 15", "ClearFeedback", "AwaitAck"};
    for (auto [a, v] : kSerialWrites) {
        expected.push_back(IoxEntry(a, v));
    }
    expected.push_back("GetHWversion 0");
    for (auto [a, v] : Concat({ClearingWrites(24, 71), HeaderWrites(4)})) {
        expected.push_back(IoxEntry(a, v));
    }
    expected.push_back("Slot 0");
    expected.push_back(IoxEntry(6, 0x01));
    expected.push_back(IoxEntry(7, 0x80));
    for (const char* e : {"UpdateData(FALSE)", "SetLED 0 3 0", "ResetDevice 0", "NotWritten=0"}) {
        expected.push_back(e);
    }
    EXPECT_EQ(log, expected);
    EXPECT_EQ(IoxWrites()[8 + 3], std::make_pair(27, 0x80));
    EXPECT_EQ(image, ConfigImage{});  // direct programming leaves the image alone
}

TEST_F(WriteCommandTest, DeviceTypeTableChoosesDirectOrImage) {
    const struct {
        int type;
        int hardware;
        bool asksHardwareFirst;
        bool direct;
    } rows[] = {
        {kDeviceTypeA, 0, true, true},
        {kDeviceTypeA, 1, true, false},
        {kDeviceTypeB, 0, true, true},
        {kDeviceTypeB, 7, true, false},
        {kDeviceTypeC, 0, false, true},
        {kDeviceTypeC, 1, false, true},
        {kDeviceTypeImage, 1, false, false},
        {0x30, 0, false, true},
        {0x00, 1, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << row.type << " hw " << row.hardware);
        log.clear();
        FakeDevice dev(log);
        dev.type = row.type;
        dev.version = 4;
        dev.hardware = row.hardware;
        image = {};
        ASSERT_EQ(dialog.Run(&dev, image, false), 0);

        Log head = {"UpdateData(TRUE)", "ReadMembers", "GetUSBType 0", "GetVersion 0"};
        if (row.asksHardwareFirst) {
            head.push_back("GetHWversion 0");
        }
        head.push_back(row.direct ? "SetLED 0 3 15" : "ClearFeedback");
        ASSERT_GE(log.size(), head.size());
        EXPECT_EQ(Log(log.begin(), log.begin() + static_cast<long>(head.size())), head);

        const Log tail =
            row.direct ? Log{"UpdateData(FALSE)", "SetLED 0 3 0", "ResetDevice 0", "NotWritten=0"}
                       : Log{"UpdateData(FALSE)", "NotWritten=0"};
        EXPECT_EQ(Log(log.end() - static_cast<long>(tail.size()), log.end()), tail);
        EXPECT_TRUE(Logged("AwaitAck"));
        EXPECT_FALSE(Logged("FocusFeedback"));

        const Writes writes = IoxWrites();
        if (row.direct) {
            ASSERT_GE(writes.size(), 8u);
            EXPECT_EQ(Writes(writes.begin(), writes.begin() + 8), kSerialWrites);
            const Writes clearing =
                row.hardware != 0 ? ClearingWrites(16, 31) : ClearingWrites(24, 71);
            EXPECT_TRUE(std::search(writes.begin(), writes.end(), clearing.begin(),
                                    clearing.end()) == writes.begin() + 8);
            if (row.type == 0x30 || row.type == 0x00) {  // common registers only
                EXPECT_EQ(writes, Concat({kSerialWrites, clearing, HeaderWrites(4)}));
                EXPECT_TRUE(SlotsAsked().empty());
            }
        } else {
            ASSERT_EQ(writes.size(), 43u);
            for (int j = 0; j < 43; ++j) {
                EXPECT_EQ(writes[static_cast<std::size_t>(j)],
                          std::make_pair(j, int{image[static_cast<std::size_t>(j)]}));
            }
        }
    }
}

TEST_F(WriteCommandTest, KeyCodeSchemesByTypeAndFirmware) {
    const struct {
        int type;
        int version;
        int contacts;
        int start;
        int slots;
    } rows[] = {
        {kDeviceTypeA, 0, 4, 6, 1},
        {kDeviceTypeA, 2, 24, 6, 1},
        {kDeviceTypeA, 3, 4, 24, 9},
        {kDeviceTypeA, 6, 1, 24, 3},
        {kDeviceTypeA, 7, 4, 24, 8},
        {kDeviceTypeA, 9, 24, 24, 8},
        {kDeviceTypeB, 0, 4, 16, 16},
        {kDeviceTypeB, 3, 24, 16, 16},
        {kDeviceTypeB, 4, 1, 16, 32},
        {kDeviceTypeC, 0, 4, 24, 9},
        {kDeviceTypeC, 9, 23, 24, 47},
        {0x30, 3, 4, 0, 0},
        // 2n+1 slots, kept to the 48 slot fields that exist; no slots for a negative count.
        {kDeviceTypeC, 0, 24, 24, 48},
        {kDeviceTypeC, 0, 30, 24, 48},
        {kDeviceTypeA, 5, 24, 24, 48},
        {kDeviceTypeA, 4, 25, 24, 48},
        {kDeviceTypeC, 0, INT_MAX, 24, 48},
        {kDeviceTypeC, 0, 0, 24, 1},
        {kDeviceTypeC, 0, -1, 24, 0},
        {kDeviceTypeA, 3, -7, 24, 0},
        {kDeviceTypeC, 0, INT_MIN, 24, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "type " << row.type << " v" << row.version << " n " << row.contacts);
        log.clear();
        FakeDevice dev(log);
        dev.type = row.type;
        dev.version = row.version;
        dialog.members.contacts = row.contacts;
        ASSERT_EQ(dialog.Run(&dev, image, false), 0);

        Writes expected = KeyCodeWrites(row.start, row.slots);
        if (row.type == kDeviceTypeA && row.version >= 7) {
            expected.emplace_back(40, 0x22);
        }
        EXPECT_EQ(WritesAfterHeader(), expected);
        EXPECT_EQ(SlotsAsked(), Range(row.slots));
        // The header carries the contact count as it stands.
        const Writes writes = IoxWrites();
        EXPECT_NE(std::find(writes.begin(), writes.end(), std::make_pair(3, row.contacts)),
                  writes.end());
        for (auto [address, value] : writes) {
            EXPECT_LT(address, 24 + 2 * kSlotCount);
        }
    }
}

TEST_F(WriteCommandTest, OptionByteOfTypeAFromFirmware7) {
    const struct {
        const wchar_t* repeatText;
        bool keyStack;
        std::uint32_t speed;
        int option;
    } rows[] = {
        {L"", false, 50, 0x22}, {L"", true, 50, 0x26},   {L"1", false, 50, 0x20},
        {L"0", true, 15, 0xF4}, {L"", false, 500, 0x42}, {L"", false, 1, 0x12},
    };
    for (const auto& row : rows) {
        log.clear();
        FakeDevice dev(log);
        dev.type = kDeviceTypeA;
        dev.version = 7;
        dialog.members.repeatText = row.repeatText;
        dialog.members.keyStack = row.keyStack;
        dialog.members.speed = row.speed;
        ASSERT_EQ(dialog.Run(&dev, image, false), 0);
        const Writes writes = IoxWrites();
        EXPECT_EQ(writes.back(), std::make_pair(40, row.option)) << "speed " << row.speed;
    }
}

TEST_F(WriteCommandTest, SerialFailureSkipsClearingAndHeaderButNotKeyCodes) {
    for (int failing : {1, 4, 8}) {
        SCOPED_TRACE(testing::Message() << "serial write " << failing);
        log.clear();
        FakeDevice dev(log);
        dev.type = kDeviceTypeC;
        dev.failAtCall = failing;
        ASSERT_EQ(dialog.Run(&dev, image, false), 0);
        EXPECT_EQ(IoxWrites(),
                  Concat({Writes(kSerialWrites.begin(), kSerialWrites.begin() + failing),
                          KeyCodeWrites(24, 9)}));
        EXPECT_EQ(std::count(log.begin(), log.end(), "GetHWversion 0"), 0);
        EXPECT_EQ(Log(log.end() - 4, log.end()),
                  (Log{"UpdateData(FALSE)", "SetLED 0 3 0", "ResetDevice 0", "NotWritten=0"}));
        EXPECT_FALSE(Logged("Message IOX failed"));
    }
}

TEST_F(WriteCommandTest, ClearingFailureEndsOnlyTheClearing) {
    device.type = kDeviceTypeC;
    device.failAtCall = 8 + 7;  // register 30
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(IoxWrites(), Concat({kSerialWrites, ClearingWrites(24, 30), HeaderWrites(4),
                                   KeyCodeWrites(24, 9)}));
    EXPECT_TRUE(Logged("NotWritten=0"));
}

TEST_F(WriteCommandTest, HeaderFailureStopsEverythingWithIoxFailed) {
    const Writes header = HeaderWrites(4);
    for (int failing = 0; failing < 4; ++failing) {
        SCOPED_TRACE(testing::Message() << "header write " << failing);
        log.clear();
        FakeDevice dev(log);
        dev.type = kDeviceTypeA;
        dev.version = 7;
        dev.failAtCall = 8 + 48 + failing + 1;
        ASSERT_EQ(dialog.Run(&dev, image, false), -1);

        const auto [address, value] = header[static_cast<std::size_t>(failing)];
        EXPECT_EQ(Log(log.end() - 2, log.end()),
                  (Log{IoxEntry(address, value), "Message IOX failed"}));
        EXPECT_TRUE(Logged("ClearFeedback"));
        EXPECT_TRUE(Logged("AwaitAck"));
        EXPECT_FALSE(Logged("SetLED 0 3 0"));
        EXPECT_TRUE(SlotsAsked().empty());
    }
}

TEST_F(WriteCommandTest, KeyCodeFailureStillWritesRegister40AndCloses) {
    device.type = kDeviceTypeA;
    device.version = 7;
    device.failAtCall = 8 + 48 + 4 + 3;  // the third key code write
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(WritesAfterHeader(), (Writes{{24, 0x01}, {25, 0x80}, {26, 0x02}, {40, 0x22}}));
    EXPECT_EQ(SlotsAsked(), Range(2));
    EXPECT_EQ(Log(log.end() - 4, log.end()),
              (Log{"UpdateData(FALSE)", "SetLED 0 3 0", "ResetDevice 0", "NotWritten=0"}));

    // Register 40's own result does not matter.
    log.clear();
    FakeDevice dev(log);
    dev.type = kDeviceTypeA;
    dev.version = 7;
    dev.failAtCall = 8 + 48 + 4 + 16 + 1;
    EXPECT_EQ(dialog.Run(&dev, image, false), 0);
    EXPECT_TRUE(Logged("ResetDevice 0"));
}

TEST_F(WriteCommandTest, WideSlotTextKeepsItsHighBitsInDirectProgramming) {
    device.type = kDeviceTypeA;
    device.version = 2;
    dialog.slots[0] = L"12345";
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(WritesAfterHeader(), (Writes{{6, 0x123}, {7, 0x45}}));
}

TEST_F(WriteCommandTest, ImageThroughTheLibraryStopsAtANegativeResult) {
    device.type = kDeviceTypeImage;
    device.failAtCall = 20;
    device.failResult = -1;
    ASSERT_EQ(Run(), 0);
    const Writes writes = IoxWrites();
    ASSERT_EQ(writes.size(), 20u);
    EXPECT_EQ(writes.back().first, 19);
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"UpdateData(FALSE)", "NotWritten=0"}));
    EXPECT_FALSE(Logged("SetLED 0 3 15"));
    EXPECT_FALSE(Logged("ResetDevice 0"));
}

TEST_F(WriteCommandTest, ImageThroughTheLibraryTakesZeroAsSuccess) {
    device.type = kDeviceTypeImage;
    device.okResult = 0;
    dialog.members.contacts = 9;
    dialog.members.protectedFlag = true;
    dialog.repeatField = L"123456";
    ASSERT_EQ(Run(), 0);
    const Writes writes = IoxWrites();
    ASSERT_EQ(writes.size(), 109u);
    EXPECT_EQ(writes[0], std::make_pair(0, 0x01));
    EXPECT_EQ(writes[1], std::make_pair(1, 10));
    EXPECT_EQ(writes[9], std::make_pair(9, 0x31));
    EXPECT_EQ(writes[10], std::make_pair(10, 0x01));
    EXPECT_EQ(writes[11], std::make_pair(11, 0x80));
    EXPECT_EQ(writes[76], std::make_pair(76, 0x12));
    EXPECT_EQ(writes[108], std::make_pair(108, 0x80 + 47));
    EXPECT_EQ(SlotsAsked(), Range(48));
}

TEST_F(WriteCommandTest, LockLedChannelTimedAndBlocking) {
    for (bool blocking : {false, true}) {
        log.clear();
        image = {};
        ASSERT_EQ(Run(false, blocking), 0);
        Log expected = {"UpdateData(TRUE)", "ReadMembers",     "FocusFeedback",
                        "GetKeyState 20",   "GetKeyState 144", "GetKeyState 145",
                        "ClearFeedback",    "AwaitAck",        "RepeatField"};
        for (int s = 0; s < 8; ++s) {
            expected.push_back("Slot " + std::to_string(s));
        }
        expected.push_back(blocking ? "SendImageBlocking 43" : "StartTimedTransmission 43");
        expected.push_back("UpdateData(FALSE)");
        expected.push_back("NotWritten=0");
        EXPECT_EQ(log, expected);
        EXPECT_EQ(image[2], 0x30);
        EXPECT_EQ(image[8], 0x35);
        EXPECT_EQ(image[1], 10);
        EXPECT_EQ(image[24], 0x08);  // slot 7
        EXPECT_EQ(image[25], 0x87);
    }
}

TEST_F(WriteCommandTest, LockKeyOnRefusesBeforeAnythingElse) {
    const struct {
        int lock;
        int asked;
    } rows[] = {{0x14, 1}, {0x90, 2}, {0x91, 3}};
    for (const auto& row : rows) {
        log.clear();
        dialog.locksOn = {row.lock};
        image.fill(0x5A);
        EXPECT_EQ(Run(false), -1);
        Log expected = {"UpdateData(TRUE)", "ReadMembers", "FocusFeedback"};
        for (int vk : {0x14, 0x90, 0x91}) {
            if (static_cast<int>(expected.size()) - 3 < row.asked) {
                expected.push_back("GetKeyState " + std::to_string(vk));
            }
        }
        expected.push_back("Message  ---  Lock active!! ----");
        EXPECT_EQ(log, expected) << "lock " << row.lock;
        EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](auto b) { return b == 0x5A; }));
    }
}

TEST_F(WriteCommandTest, ImageBuildReadsOnlyExistingSlotFields) {
    const struct {
        int contacts;
        int slots;
        int length;
    } rows[] = {{30, 48, 109}, {INT_MAX, 48, 109}, {-5, 8, 43}, {0, 8, 43}, {INT_MIN, 8, 43}};
    for (const auto& row : rows) {
        log.clear();
        dialog.members.contacts = row.contacts;
        ASSERT_EQ(Run(false), 0);
        EXPECT_EQ(SlotsAsked(), Range(row.slots)) << "n " << row.contacts;
        EXPECT_TRUE(Logged("StartTimedTransmission " + std::to_string(row.length)));
    }
}

}  // namespace
