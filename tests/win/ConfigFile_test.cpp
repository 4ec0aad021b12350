// Configuration files through the real program: a file named on the command line, a refused
// file opened from the system menu, and a file saved from the system menu opened back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiDriver.h"
#include "keybox/KeyBoxEmulator_win.h"
#include "programming/AckLetter.h"
#include "programming/ConfigImage.h"
#include "ui/Messages.h"
#include "ui/resource.h"

namespace {

using gui::Program;

constexpr int kFileNameField = 1148;  // the file dialogs' file name

// Every field a configuration file holds, as the user sees it.
std::vector<std::wstring> ConfigFields(const Program& program) {
    std::vector<std::wstring> fields = {
        program.Text(IDC_CONTACTS), std::to_wstring(program.Send(IDC_CONTACTS, CB_GETCURSEL)),
        program.Text(IDC_BOUNCE),   program.Text(IDC_SPEED),
        program.Text(IDC_REPEAT),   std::to_wstring(program.Send(IDC_PROTECTED, BM_GETCHECK))};
    for (int s = 0; s < kSlotCount; ++s)
        fields.push_back(program.Text(IDC_SLOT_FIRST + s));
    return fields;
}

// A dialog of the program that has opened besides the main dialog and `known`.
HWND NewDialog(const Program& program, HWND known) {
    struct Search {
        DWORD processId = 0;
        HWND except[2];
        HWND found = nullptr;
    } search{0, {program.Dialog(), known}};
    ::GetWindowThreadProcessId(program.Dialog(), &search.processId);
    gui::WaitUntil([&] {
        ::EnumWindows(
            [](HWND w, LPARAM data) {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD processId = 0;
                ::GetWindowThreadProcessId(w, &processId);
                if (processId == s->processId && w != s->except[0] && w != s->except[1] &&
                    ::IsWindowVisible(w) && gui::ClassName(w) == L"#32770") {
                    s->found = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

BOOL CALLBACK FindFileNameEdit(HWND child, LPARAM result) {
    if (::GetDlgCtrlID(child) == kFileNameField && gui::ClassName(child) == L"Edit") {
        *reinterpret_cast<HWND*>(result) = child;
        return FALSE;
    }
    return TRUE;
}

// Picks `path` in the file dialog the system menu command opens, as the user would type it;
// confirms the question whether to replace an existing file.
void ChooseFile(const Program& program, UINT command, const std::wstring& path) {
    ::PostMessageW(program.Dialog(), WM_SYSCOMMAND, command, 0);
    const HWND fileDialog = program.WaitForBox();
    ASSERT_NE(fileDialog, nullptr);
    HWND edit = nullptr;
    ::EnumChildWindows(fileDialog, FindFileNameEdit, reinterpret_cast<LPARAM>(&edit));
    ASSERT_NE(edit, nullptr) << "no file name field";
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    gui::Answer(fileDialog, IDOK);
    if (command == IDM_SAVE_CONFIG &&
        ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const HWND question = NewDialog(program, fileDialog);
        ASSERT_NE(question, nullptr) << "no question before replacing the file";
        gui::Answer(question, IDYES);
    }
    ASSERT_TRUE(gui::WaitUntil([&] { return !::IsWindow(fileDialog); }));
    ASSERT_TRUE(program.Settle());
}

class ConfigFiles : public testing::Test {
protected:
    void SetUp() override {
        gui::DeleteSettings();
        ASSERT_TRUE(gui::ResetLocks());
    }
    void TearDown() override {
        for (const std::wstring& file : m_files)
            ::DeleteFileW(file.c_str());
        EXPECT_TRUE(gui::ResetLocks());
        gui::DeleteSettings();
    }

    // A file in the build folder, removed after the test.
    std::wstring File(const wchar_t* name, const std::string& content = {}) {
        m_files.push_back(gui::BuildDir() + L"\\" + name);
        if (!content.empty()) {
            const HANDLE file = ::CreateFileW(m_files.back().c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            EXPECT_TRUE(::WriteFile(file, content.data(), static_cast<DWORD>(content.size()),
                                    &written, nullptr));
            ::CloseHandle(file);
        }
        return m_files.back();
    }

private:
    std::vector<std::wstring> m_files;
};

// Started with a file, the dialog shows it over the stored settings; a write sends the image
// it describes, and "Ende" asks first, since no key box holds it yet.
TEST_F(ConfigFiles, AFileOnTheCommandLineIsShownAndWritten) {
    gui::SetDwordSetting(L"delay", 99);
    gui::SetDwordSetting(L"clearTime", 40);
    const std::wstring path = File(L"north door.ini",
                                   "; key map of the north door\r\n[Orvanta]\r\nContacts=6\r\n"
                                   "BounceTime=25\r\nSpeed=10\r\nProtected=1\r\nKeyRepeat=5\r\n"
                                   "Slot1=1e\r\nSlot2=21E\r\nSlot12=e1\r\n");
    Program program;
    ASSERT_TRUE(program.Start(L"\"" + path + L"\""));
    std::vector<std::wstring> expected = {L"6", L"5", L"25", L"10", L"5", L"1"};
    for (int s = 0; s < kSlotCount; ++s)
        expected.push_back(s == 0 ? L"1e" : s == 1 ? L"21E" : s == 11 ? L"e1" : L"0");
    EXPECT_EQ(ConfigFields(program), expected);

    program.Click(IDOK);
    const auto question = program.AnswerBox(IDNO);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, kReallyExit);
    ASSERT_TRUE(program.Running());

    const int serial = std::stoi(program.Text(IDC_SERIAL));  // the answer moves it on
    CKeyBoxEmulator keyBox;
    ASSERT_TRUE(keyBox.Start()) << "no low-level keyboard hook";
    ASSERT_TRUE(program.BringToFront());
    program.Click(IDC_WRITE);
    ASSERT_TRUE(keyBox.WaitForImage(60000));
    SlotTexts slots;
    slots.fill(L"0");
    slots[0] = L"1e", slots[1] = L"21E", slots[11] = L"e1";
    ImageInputs in;
    in.serial = serial;
    in.protectedFlag = true;
    in.bounceTime = 25;
    in.contacts = 6;
    in.repeatText = L"5";
    in.slots = &slots;
    ConfigImage image{};
    const int length = BuildConfigImage(image, in);
    const auto images = keyBox.Images();
    ASSERT_EQ(images.size(), 1u);
    ASSERT_TRUE(images[0].valid);
    EXPECT_EQ(images[0].bytes, std::vector<std::uint8_t>(image.begin(), image.begin() + length));
    EXPECT_EQ(images[0].rightLetter, ComputeAckLetter(image.data(), length));
    keyBox.Stop();

    // Written: "Ende" stores the file's settings without asking.
    program.Click(IDOK);
    ASSERT_TRUE(program.WaitForExit()) << "box: " << gui::BoxText(program.FindBox());
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 6u);
    EXPECT_EQ(gui::DwordSetting(L"delay"), 25u);
    EXPECT_EQ(gui::DwordSetting(L"clearTime"), 10u);
}

// One refused value and nothing of the file is taken, not even the keys before it.
TEST_F(ConfigFiles, ARefusedFileChangesNoField) {
    const std::wstring path =
        File(L"refused.ini", "[Orvanta]\nContacts=9\nSlot1=1e\nSpeed=0\nSlot2=2\n");
    Program program;
    ASSERT_TRUE(program.Start());
    program.SetText(IDC_BOUNCE, L"33");
    program.SetText(IDC_SLOT_FIRST + 1, L"abc");
    const std::vector<std::wstring> before = ConfigFields(program);

    ASSERT_NO_FATAL_FAILURE(ChooseFile(program, IDM_OPEN_CONFIG, path));
    const auto box = program.AnswerBox(IDOK);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"Cannot open the configuration file \"" + path +
                             L"\":\nSpeed=0 is refused: Speed takes a number from 1 to 500.\n"
                             L"Nothing was changed.");
    EXPECT_EQ(ConfigFields(program), before);

    // Nor did the members change: "Ende" does not ask, and stores the count as it was.
    program.Click(IDOK);
    ASSERT_TRUE(program.WaitForExit()) << "box: " << gui::BoxText(program.FindBox());
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 4u);
}

// Saved over an older file from the system menu, the file opens back to the same fields.
TEST_F(ConfigFiles, ASavedFileOpensBackToTheSameFields) {
    const std::wstring path = File(L"saved.ini", "[Orvanta]\nSlot1=old\n");
    Program program;
    ASSERT_TRUE(program.Start());
    program.Send(IDC_CONTACTS, CB_SETCURSEL, 11);
    program.PostNotify(IDC_CONTACTS, CBN_SELCHANGE);
    program.SetText(IDC_BOUNCE, L"4000000000");
    program.SetText(IDC_SPEED, L"501");
    program.Send(IDC_PROTECTED, BM_SETCHECK, BST_CHECKED);
    program.SetText(IDC_REPEAT, L"a5a5a5");
    for (int s = 0; s < kSlotCount; ++s)
        program.SetText(IDC_SLOT_FIRST + s, std::to_wstring(s * 3) + L"f");
    ASSERT_TRUE(program.Settle());

    // A refused field stops the save with its own message.
    ASSERT_NO_FATAL_FAILURE(ChooseFile(program, IDM_SAVE_CONFIG, path));
    const auto refused = program.AnswerBox(IDOK);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, L"Please enter a number from 1 to 500.");
    EXPECT_EQ(program.Focus(), program.Item(IDC_SPEED));

    program.SetText(IDC_SPEED, L"500");
    const std::vector<std::wstring> saved = ConfigFields(program);
    ASSERT_NO_FATAL_FAILURE(ChooseFile(program, IDM_SAVE_CONFIG, path));
    EXPECT_EQ(program.FindBox(), nullptr) << gui::BoxText(program.FindBox());
    program.Click(IDCANCEL);
    ASSERT_TRUE(program.WaitForExit());
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((path + L"*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE)
        ::FindClose(search);

    Program reopened;
    ASSERT_TRUE(reopened.Start(path));
    EXPECT_EQ(ConfigFields(reopened), saved);
    // A file dropped on the dialog opens too: the dialog takes drops.
    EXPECT_TRUE(::GetWindowLongW(reopened.Dialog(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

}  // namespace
