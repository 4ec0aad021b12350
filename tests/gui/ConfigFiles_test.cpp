// Configuration files through the real program: a refused file and two files named at start,
// and a file saved and opened again from the system menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiDriver.h"
#include "programming/ConfigImage.h"
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

// Picks `path` in the file dialog the system menu command opens, as the user would type it;
// confirms the question whether to replace an existing file.
void ChooseFile(const Program& program, UINT command, const std::wstring& path) {
    program.SystemCommand(command);
    const HWND fileDialog = program.WaitForBox();
    ASSERT_NE(fileDialog, nullptr);
    ASSERT_TRUE(::SetDlgItemTextW(fileDialog, kFileNameField, path.c_str())) << "no file name";
    gui::Answer(fileDialog, IDOK);
    if (command == IDM_SAVE_CONFIG &&
        ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // The question is owned by the file dialog, so it lies above it.
        const HWND question = program.WaitForBoxOver(fileDialog);
        ASSERT_NE(question, nullptr) << "no question before replacing the file";
        gui::Answer(question, IDYES);
    }
    ASSERT_TRUE(gui::WaitUntil([&] { return !::IsWindow(fileDialog); }));
    ASSERT_TRUE(program.Settle());
}

class ConfigFiles : public testing::Test {
protected:
    void SetUp() override { gui::DeleteSettings(); }
    void TearDown() override {
        for (const std::wstring& file : m_files)
            ::DeleteFileW(file.c_str());
        gui::DeleteSettings();
    }

    // A file in the build folder, removed after the test.
    std::wstring File(const wchar_t* name, const std::string& content) {
        m_files.push_back(gui::BuildDir() + L"\\" + name);
        EXPECT_TRUE(gui::WriteFileBytes(m_files.back(), content));
        return m_files.back();
    }

private:
    std::vector<std::wstring> m_files;
};

// A refused value and nothing of the file is taken, not even the keys before it: "Ende" does
// not ask, and stores the count as it was.
TEST_F(ConfigFiles, ARefusedFileChangesNoField) {
    const std::wstring path = File(L"refused.ini", "[Orvanta]\nContacts=9\nSlot1=1e\nSpeed=0\n");
    Program program;
    ASSERT_TRUE(program.Start(path));
    const auto box = program.AnswerBox(IDOK);
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find(L"\"" + path + L"\":\nSpeed=0 is refused"), std::wstring::npos)
        << box->text;
    EXPECT_EQ(program.Text(IDC_SLOT_FIRST), L"0");  // as at every start, not "1e"
    program.Click(IDOK);
    ASSERT_TRUE(program.WaitForExit()) << "box: " << gui::BoxText(program.FindBox());
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 4u);
}

// Saved over an older file, the file opens back to the same fields.
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

    Program reopened;
    ASSERT_TRUE(reopened.Start());
    ASSERT_NO_FATAL_FAILURE(ChooseFile(reopened, IDM_OPEN_CONFIG, path));
    EXPECT_EQ(ConfigFields(reopened), saved);
    // A file dropped on the dialog opens too: the dialog takes drops.
    EXPECT_TRUE(::GetWindowLongW(reopened.Dialog(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

// Files dropped together on the program's icon come as several paths, each in quotes only
// when it holds a blank: none is opened, and a message says one file is taken at a time.
TEST_F(ConfigFiles, TwoFilesAtStartOpenNeither) {
    const std::wstring a = File(L"a.ini", "[Orvanta]\nSpeed=20\n");
    const std::wstring b = File(L"b.ini", "[Orvanta]\nSpeed=30\n");
    for (const std::wstring& arguments : {a + L" " + b, L"\"" + a + L"\" \"" + b + L"\""}) {
        Program program;
        ASSERT_TRUE(program.Start(arguments));
        const auto box = program.AnswerBox(IDOK);
        ASSERT_TRUE(box) << "nothing said for " << testing::PrintToString(arguments);
        EXPECT_EQ(box->text, L"Start the program with one configuration file at a time.");
        EXPECT_EQ(program.Text(IDC_SPEED), L"50");
    }
}

}  // namespace
