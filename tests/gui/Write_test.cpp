// "Schreiben" end to end through the real dialog: over the lock LEDs to the emulated key box,
// timed and blocking, the key box's answer, the refusals, closing the dialog in the middle of
// a transmission, slots filled with the key code chooser, the production log, and a key map
// taken back from it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GuiDriver.h"
#include "support/KeyBoxEmulator_win.h"
#include "programming/ConfigImage.h"
#include "settings/ProductionLog.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

namespace {

using gui::Program;

constexpr DWORD kQuietMs = 400;           // well above two ticks at speeds 2 to 50
constexpr DWORD kImageTimeoutMs = 60000;  // a blocking 43-byte image takes about 17 s

// What the user types into the dialog: the fields of a fresh one, at a speed of 10.
struct Entry : Configuration {
    Entry() {
        speed = 10;
        slots.fill(L"0");
    }

    ConfigImage Expected() const {
        ConfigImage image{};
        BuildConfigImage(image, *this);
        return image;
    }
};

class WriteOverLocks : public testing::Test {
protected:
    void SetUp() override {
        gui::DeleteSettings();
        ASSERT_TRUE(gui::ResetLocks());
        BeforeStart();
        ASSERT_TRUE(program.Start(m_arguments));
        ASSERT_TRUE(keyBox.Start()) << "no low-level keyboard hook";
        keyBox.SetQuietTime(kQuietMs);
    }

    // What a test stores or writes before the program starts with `m_arguments`.
    virtual void BeforeStart() {}

    void TearDown() override {
        keyBox.Stop();
        EXPECT_TRUE(gui::ResetLocks());
        gui::DeleteSettings();
    }

    void Enter(const Entry& e) {
        program.EnterConfiguration(e);
        ASSERT_TRUE(program.Settle());
        ASSERT_TRUE(program.BringToFront());
    }

    // Watches the feedback field while the image goes out: every countdown number it showed.
    std::vector<int> WatchCountdown() {
        std::vector<int> shown;
        gui::WaitUntil(
            [&] {
                const std::wstring text = program.Text(IDC_FEEDBACK);
                if (!text.empty() && iswdigit(text[0])) {
                    const int n = std::stoi(text);
                    if (shown.empty() || shown.back() != n)
                        shown.push_back(n);
                }
                return !keyBox.Images().empty();
            },
            kImageTimeoutMs);
        return shown;
    }

    // "Ende" asks first, as nothing entered is written yet; No keeps the dialog, and
    // "Schreiben" then sends the image to the key box.
    void NoAtEndeThenWrite() {
        program.Click(IDOK);
        const auto question = program.AnswerBox(IDNO);
        ASSERT_TRUE(question);
        EXPECT_EQ(question->text, L"no write done - really exit?");
        ASSERT_TRUE(program.BringToFront());
        program.Click(IDC_WRITE);
        ASSERT_TRUE(keyBox.WaitForImage(kImageTimeoutMs));
    }

    void ExpectDelivered(const Entry& e, int length) {
        const auto images = keyBox.Images();
        ASSERT_EQ(images.size(), 1u);
        const ConfigImage expected = e.Expected();
        EXPECT_TRUE(images[0].valid);
        EXPECT_EQ(images[0].bytes,
                  std::vector<std::uint8_t>(expected.begin(), expected.begin() + length));
    }

    std::wstring m_arguments;
    Program program;
    CKeyBoxEmulator keyBox;
};

// The contact count typed key by key into the closed list is the count written and stored.
// Every slot field holds its own value, some spelled as users type them. The key box's right
// answer confirms the write and hands out the next serial number, which is stored at once.
TEST_F(WriteOverLocks, TimedWriteOfTypedTwelveContactsIsConfirmedByTheRightAnswer) {
    Entry e;
    e.serial = 74565;  // 0x12345
    e.protectedFlag = true;
    e.bounceTime = 25;
    e.repeatText = L"123456";
    for (int s = 0; s < kSlotCount; ++s)
        e.slots[s] = std::to_wstring((s * 37) % 256);
    e.slots[1] = L"21E", e.slots[2] = L"12345", e.slots[3] = L"zz", e.slots[7] = L"0xE7";
    ASSERT_NO_FATAL_FAILURE(Enter(e));
    ::PostMessageW(program.Dialog(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(program.Item(IDC_CONTACTS)), TRUE);
    ASSERT_TRUE(program.Settle());
    gui::TypeKey('1');
    gui::TypeKey('2');
    ASSERT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_CONTACTS) == L"12"; }))
        << "contacts field: " << program.Text(IDC_CONTACTS);
    e.contacts = 12;

    program.Click(IDC_WRITE);
    const std::vector<int> countdown = WatchCountdown();
    ASSERT_TRUE(keyBox.WaitForImage(kImageTimeoutMs));
    ExpectDelivered(e, 109);
    // The field counted the bytes down, then shows the answer alone.
    ASSERT_FALSE(countdown.empty());
    EXPECT_LE(countdown.front(), 109);
    EXPECT_EQ(countdown.back(), 1);
    EXPECT_TRUE(std::is_sorted(countdown.rbegin(), countdown.rend())) << "the count went up";
    EXPECT_TRUE(gui::WaitUntil([&] {
        return program.Text(IDC_FEEDBACK) == L"programming ok       ";
    })) << "feedback: "
        << program.Text(IDC_FEEDBACK);
    EXPECT_EQ(program.Focus(), program.Item(IDC_FEEDBACK));
    EXPECT_EQ(program.Text(IDC_SERIAL), L"74566");
    EXPECT_EQ(gui::DwordSetting(L"serial"), 74566u);

    // The contacts change was written: "Ende" no longer asks, and stores the typed count.
    program.Click(IDOK);
    EXPECT_TRUE(program.WaitForExit()) << "box: " << gui::BoxText(program.FindBox());
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 12u);
}

// The blocking form paces itself with 100 ms per data step, whatever the speed field says. A
// wrong answer stays in the field, and the serial number stays.
TEST_F(WriteOverLocks, BlockingWriteRequestSendsTheSameChannelAndAWrongAnswerIsNotTaken) {
    Entry e;
    e.serial = 268435455;  // 2^28 - 1
    e.slots[5] = L"54c";
    keyBox.SetAnswer(CKeyBoxEmulator::Answer::Wrong);
    ASSERT_NO_FATAL_FAILURE(Enter(e));

    ::PostMessageW(program.Dialog(), WM_APP_WRITE, 1, 0);
    ASSERT_TRUE(keyBox.WaitForImage(kImageTimeoutMs));
    ExpectDelivered(e, 43);
    const std::vector<std::int64_t> times = keyBox.Images()[0].scrollTimes;
    // Over ten steps, so that one change the hook saw late (a busy machine) does not count.
    ASSERT_GE(times.size(), 12u);
    EXPECT_GE(times[11] - times[1], 10 * 90);
    const std::wstring letter(1, static_cast<wchar_t>(keyBox.Images()[0].typedLetter));
    EXPECT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_FEEDBACK) == letter; }))
        << "feedback: " << program.Text(IDC_FEEDBACK);
    EXPECT_EQ(program.Text(IDC_SERIAL), L"268435455");
    EXPECT_FALSE(gui::SettingsKeyExists());
}

// A refused field (a speed of 501 would keep the lock LEDs blinking for minutes) or a lock
// that is on stops the write before anything goes out. The lock check gives the feedback
// field the focus first, and it has it back after the box.
TEST_F(WriteOverLocks, ARefusedSpeedOrALockThatIsOnSendsNothing) {
    const struct {
        bool scrollLock;
        const wchar_t* message;
        int focus;
    } rows[] = {{false, L"Please enter a number from 1 to 500.", IDC_SPEED},
                {true, L" ---  Lock active!! ----", IDC_FEEDBACK}};
    for (const auto& row : rows) {
        program.SetText(IDC_SPEED, row.scrollLock ? L"10" : L"501");
        if (row.scrollLock) {
            ASSERT_TRUE(program.BringToFront());
            gui::TypeKey(VK_SCROLL);
            ASSERT_TRUE(gui::WaitUntil([] { return gui::LockOn(VK_SCROLL); }));
            ASSERT_TRUE(program.Settle());
        }
        program.SetText(IDC_FEEDBACK, L"earlier text");
        const size_t eventsBefore = keyBox.LockEvents().size();
        program.Click(IDC_WRITE);
        const auto box = program.AnswerBox(IDOK);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, row.message);
        EXPECT_EQ(box->caption, L"Orvanta");
        EXPECT_EQ(program.Focus(), program.Item(row.focus));
        EXPECT_EQ(keyBox.LockEvents().size(), eventsBefore) << "a lock key went out";
        EXPECT_EQ(program.Text(IDC_FEEDBACK), L"earlier text");
    }
}

// Closing the dialog mid-transmission, after the user has toggled Caps Lock as well, leaves
// the keyboard as it was before the write: every lock off, no lock key held down.
TEST_F(WriteOverLocks, ClosingMidTransmissionLeavesEveryLockOff) {
    // The slowest speed leaves half a second after the preamble before the next step.
    program.SetText(IDC_SPEED, L"500");
    ASSERT_TRUE(program.BringToFront());
    program.Click(IDC_WRITE);
    // The preamble has turned all three locks on and let go of their keys: the user's Caps
    // Lock turns Caps off again, and the transmission does not know. The dialog closes once
    // the key has gone past the key box, as it would under a user's hands.
    ASSERT_TRUE(gui::WaitUntil([&] { return keyBox.LockEvents().size() >= 6; }));
    gui::TypeKey(VK_CAPITAL);
    ASSERT_TRUE(gui::WaitUntil([&] { return keyBox.LockEvents().size() >= 8; }));
    program.SystemCommand(SC_CLOSE);
    ASSERT_TRUE(program.WaitForExit());

    // The locks go off without our help, and no lock key is left held down.
    for (int vk : {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL}) {
        EXPECT_TRUE(gui::WaitUntil([&] { return !gui::LockOn(vk); }, 3000)) << "lock " << vk;
        EXPECT_EQ(::GetAsyncKeyState(vk) & 0x8000, 0) << "key " << vk << " held down";
    }
}

TEST_F(WriteOverLocks, KeyCodeChooserFillsSlotsByNameAndAWriteSendsThem) {
    keyBox.SetAnswer(CKeyBoxEmulator::Answer::None);
    ASSERT_TRUE(program.BringToFront());
    // The chooser opens on the slot whose field last had the focus: contact 3, released.
    ::SendMessageW(program.Dialog(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(program.Item(IDC_SLOT_FIRST + 5)), TRUE);
    program.Click(IDC_KEYCODE);
    HWND chooser = program.WaitForBox();
    ASSERT_NE(chooser, nullptr);
    ASSERT_EQ(gui::WindowText(chooser), L"Key Codes");
    const auto label = [&] { return gui::WindowText(::GetDlgItem(chooser, IDC_KC_SLOT_LABEL)); };
    EXPECT_EQ(label(), L"Key 3 released");
    // Posted in order, as the list and the boxes notify the chooser when the user works them.
    const auto pick = [&](int index) {
        ::PostMessageW(::GetDlgItem(chooser, IDC_KC_KEY), CB_SETCURSEL, index, 0);
        ::PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDC_KC_KEY, CBN_SELCHANGE), 0);
    };
    const auto tick = [&](int id) { ::PostMessageW(::GetDlgItem(chooser, id), BM_CLICK, 0, 0); };

    pick(4);  // "a"
    tick(IDC_KC_SHIFT);
    EXPECT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_SLOT_FIRST + 5) == L"204"; }));
    gui::Answer(chooser, IDC_KC_NEXT);
    EXPECT_TRUE(gui::WaitUntil([&] { return label() == L"Key 4 pressed"; }));
    pick(165);  // "LeftControl", Shift still ticked
    tick(IDC_KC_REPEAT);
    EXPECT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_REPEAT) == L"8"; }));
    EXPECT_EQ(program.Text(IDC_SLOT_FIRST + 6), L"2e0");
    gui::Answer(chooser, IDCANCEL);
    ASSERT_TRUE(program.WaitForNoBox());
    // A key echoed in the feedback field reloads the fields: the chooser's Repeat stays.
    ASSERT_TRUE(program.BringToFront());
    ::PostMessageW(program.Dialog(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(program.Item(IDC_FEEDBACK)), TRUE);
    gui::TypeKey(VK_F1);
    ASSERT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_FEEDBACK) == L"F1 "; }));
    program.SetText(IDC_SPEED, L"10");  // after the echo, which puts back what was exchanged

    // Cancel undid nothing, and what the chooser wrote counts as not yet written.
    ASSERT_NO_FATAL_FAILURE(NoAtEndeThenWrite());
    Entry e;
    e.slots[5] = L"204";
    e.slots[6] = L"2e0";
    e.repeatText = L"8";
    ExpectDelivered(e, 43);
}

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* folder = nullptr;
    EXPECT_EQ(::SHGetKnownFolderPath(id, 0, nullptr, &folder), S_OK);
    const std::wstring path = folder != nullptr ? folder : L"";
    ::CoTaskMemFree(folder);
    return path;
}

// Every write leaves a line, in the Documents folder while no other place is set: one whose
// answer never came once the next write starts, after the torn last line of the log. While a
// spreadsheet holds the log, the write still counts and its line waits in the spool, where it
// outlives the program and goes into the log at its next start.
TEST_F(WriteOverLocks, TheProductionLogKeepsEveryWriteInOrder) {
    const std::wstring log = KnownFolder(FOLDERID_Documents) + L"\\Orvanta log.csv";
    const std::wstring spool =
        KnownFolder(FOLDERID_LocalAppData) + L"\\Orvanta\\unwritten log lines.csv";
    const std::string head = LogPrefix(0, true);
    ::DeleteFileW(spool.c_str());
    ASSERT_TRUE(gui::WriteFileBytes(log, head + "x,torn"));
    Entry e;
    e.serial = 1041;
    e.slots[0] = L"1e";
    e.speed = 2;
    ASSERT_NO_FATAL_FAILURE(Enter(e));
    keyBox.SetAnswer(CKeyBoxEmulator::Answer::None);
    program.Click(IDC_WRITE);
    EXPECT_TRUE(keyBox.WaitForImages(1, kImageTimeoutMs));
    keyBox.SetAnswer(CKeyBoxEmulator::Answer::Right);
    program.Click(IDC_WRITE);
    EXPECT_TRUE(keyBox.WaitForImages(2, kImageTimeoutMs));
    EXPECT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_SERIAL) == L"1042"; }));

    const HANDLE held = ::CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << "no log in the Documents folder";
    keyBox.SetAnswer(CKeyBoxEmulator::Answer::Wrong);
    program.Click(IDC_WRITE);
    const auto box = program.AnswerBox(IDOK);
    ::CloseHandle(held);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.rfind(L"Cannot write the production log \"" + log + L"\":\n", 0), 0u)
        << box->text;
    EXPECT_NE(box->text.find(L"kept in \"" + spool + L"\""), std::wstring::npos) << box->text;
    // Ended as by a crash: the line is in the spool alone, and the next start takes it.
    ASSERT_TRUE(program.Kill());
    EXPECT_NE(gui::FileContent(spool), "");
    gui::Program restarted;
    ASSERT_TRUE(restarted.Start());

    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(::GetComputerNameW(computer, &size));
    std::string expected = head + "x,torn\r\n";
    const char* results[] = {"1041,no answer", "1041,ok", "1042,wrong answer"};
    const auto images = keyBox.Images();
    ASSERT_EQ(images.size(), 3u);
    std::string content;
    EXPECT_TRUE(gui::WaitUntil(
        [&] {
            content = gui::FileContent(log);
            return std::count(content.begin(), content.end(), '\n') >= 5;
        },
        kImageTimeoutMs));
    EXPECT_EQ(gui::FileContent(spool), "");
    for (int i = 0; i < 3; ++i) {
        std::string hex;
        for (std::uint8_t byte : images[i].bytes) {
            char digits[4];
            std::snprintf(digits, sizeof digits, hex.empty() ? "%02x" : " %02x", byte);
            hex += digits;
        }
        // The time, as the native tests show its form, is taken out.
        const size_t line = expected.size();
        ASSERT_GT(content.size(), line + 20);
        content.erase(line, 20);
        expected +=
            std::string(computer, computer + size) + "," + results[i] + ",LEDs,4,," + hex + "\r\n";
    }
    EXPECT_EQ(content, expected);
    ::DeleteFileW(log.c_str());
}

// Started with a configuration file, the dialog shows it over the stored settings; "Ende"
// asks first, since no key box holds it yet, and a write sends the image it describes, which
// the key box confirms.
class WriteFromFile : public WriteOverLocks {
protected:
    void BeforeStart() override {
        gui::SetDwordSetting(L"delay", 99);
        gui::SetDwordSetting(L"clearTime", 40);
        m_file = gui::BuildDir() + L"\\north door.ini";
        ASSERT_TRUE(gui::WriteFileBytes(
            m_file,
            "; key map of the north door\r\n[Orvanta]\r\nContacts=6\r\nBounceTime=25\r\n"
            "Speed=10\r\nProtected=1\r\nKeyRepeat=5\r\nSlot1=1e\r\nSlot2=21E\r\nSlot12=e1\r\n"));
        m_arguments = L"\"" + m_file + L"\"";
    }
    void TearDown() override {
        ::DeleteFileW(m_file.c_str());
        WriteOverLocks::TearDown();
    }
    std::wstring m_file;
};

TEST_F(WriteFromFile, TheFileIsShownAndWritten) {
    Entry e;
    e.protectedFlag = true;
    e.bounceTime = 25;
    e.repeatText = L"5";
    e.contacts = 6;
    e.slots[0] = L"1e", e.slots[1] = L"21E", e.slots[11] = L"e1";
    EXPECT_EQ(program.Text(IDC_CONTACTS), L"6");
    EXPECT_EQ(program.Text(IDC_SPEED), L"10");

    ASSERT_NO_FATAL_FAILURE(NoAtEndeThenWrite());
    ExpectDelivered(e, 43);
    EXPECT_TRUE(gui::WaitUntil([&] {
        return program.Text(IDC_FEEDBACK) == L"programming ok       ";
    })) << "the letter for a 43-byte image was refused";

    program.Click(IDOK);
    ASSERT_TRUE(program.WaitForExit()) << "box: " << gui::BoxText(program.FindBox());
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 6u);
    EXPECT_EQ(gui::DwordSetting(L"delay"), 25u);
    EXPECT_EQ(gui::DwordSetting(L"clearTime"), 10u);
}

// A key box back for service: its key map is taken from the production log by its serial number,
// in the program started again with other fields. Every field but the serial number and the
// speed then holds what was written, and the next write sends the image the key box decoded the
// first time. A missing log is named; a line that is no log line is left out and counted; a
// line whose image is no key map is refused by its serial number and changes nothing.
TEST_F(WriteOverLocks, AKeyMapIsTakenBackFromTheLogBySerialNumber) {
    const std::wstring log = gui::BuildDir() + L"\\key maps log.csv";
    ::DeleteFileW(log.c_str());
    gui::SetTextSetting(L"LogFile", log);
    program.SystemCommand(IDM_LOG_KEY_MAP);
    const auto missing = program.AnswerBox(IDOK);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->text.rfind(L"Cannot read the production log \"" + log + L"\":\n", 0), 0u);

    Entry e;
    e.serial = 2001;
    e.contacts = 12;
    e.protectedFlag = true;
    e.bounceTime = 25;
    e.repeatText = L"a05";
    e.slots[0] = L"1e", e.slots[5] = L"21e", e.slots[11] = L"e1", e.slots[47] = L"104";
    ConfigImage unfit = Entry().Expected();
    LogRecord refused;  // one byte too many for 4 contacts
    refused.serial = 77;
    refused.contacts = 4;
    refused.image.assign(unfit.begin(), unfit.begin() + 44);
    ASSERT_TRUE(
        gui::WriteFileBytes(log, LogPrefix(0, true) + "no log line\r\n" + FormatLogLine(refused)));
    e.speed = 2;
    ASSERT_NO_FATAL_FAILURE(Enter(e));
    program.Click(IDC_WRITE);
    ASSERT_TRUE(keyBox.WaitForImage(kImageTimeoutMs));
    ASSERT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_SERIAL) == L"2002"; }));
    program.Click(IDOK);
    ASSERT_TRUE(program.WaitForExit());

    ASSERT_TRUE(program.Start());
    Entry other;
    other.serial = 3000;
    other.slots[2] = L"5";
    other.speed = 3;
    ASSERT_NO_FATAL_FAILURE(Enter(other));
    program.SystemCommand(IDM_LOG_KEY_MAP);
    const HWND keyMaps = program.WaitForBox();
    ASSERT_NE(keyMaps, nullptr);
    EXPECT_EQ(gui::WindowText(keyMaps), L"Key maps in the production log");
    const HWND list = ::GetDlgItem(keyMaps, IDC_LOG_LIST);
    EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_NE(gui::WindowText(::GetDlgItem(keyMaps, IDC_LOG_SUMMARY)).find(L" 1 line is no log"),
              std::wstring::npos);
    const auto find = [&](const wchar_t* serial) {
        ::SendMessageW(::GetDlgItem(keyMaps, IDC_LOG_FIND), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(serial));
        return ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    };
    EXPECT_EQ(find(L"77"), 1);  // newest first
    ::PostMessageW(keyMaps, WM_COMMAND, IDOK, 0);
    const HWND refusal = program.WaitForBoxOver(keyMaps);
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(gui::BoxText(refusal).rfind(L"The line of serial number 77 holds no key map", 0), 0u);
    gui::Answer(refusal, IDOK);
    EXPECT_EQ(find(L"7"), -1);
    EXPECT_EQ(find(L"2001"), 0);
    ::PostMessageW(keyMaps, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(gui::WaitUntil([&] { return !::IsWindow(keyMaps); }));
    ASSERT_TRUE(program.Settle());

    EXPECT_EQ(program.Text(IDC_SERIAL), L"3000");
    EXPECT_EQ(program.Text(IDC_SPEED), L"3");
    EXPECT_EQ(program.Text(IDC_CONTACTS), L"12");
    EXPECT_EQ(program.Text(IDC_BOUNCE), L"25");
    EXPECT_EQ(program.Text(IDC_REPEAT), L"a05");
    EXPECT_EQ(program.Send(IDC_PROTECTED, BM_GETCHECK), BST_CHECKED);
    for (int s = 0; s < kSlotCount; ++s)
        EXPECT_EQ(program.Text(IDC_SLOT_FIRST + s), e.slots[s]) << "slot " << s;
    program.SetText(IDC_SERIAL, std::to_wstring(e.serial));
    program.Click(IDC_WRITE);
    ASSERT_TRUE(keyBox.WaitForImages(2, kImageTimeoutMs));
    const auto images = keyBox.Images();
    EXPECT_TRUE(images[1].valid);
    EXPECT_EQ(images[1].bytes, images[0].bytes);
    ::DeleteFileW(log.c_str());
}

}  // namespace
