// The four settings that survive between runs, against the real registry: what a start
// shows for what is stored, and what "Ende" and Esc leave behind.
#include <gtest/gtest.h>

#include "GuiDriver.h"
#include "ui/resource.h"

namespace {

using gui::Program;

class StoredSettings : public testing::Test {
protected:
    void SetUp() override { gui::DeleteSettings(); }
    void TearDown() override { gui::DeleteSettings(); }

    // Leaves with "Ende" when nothing asks the question.
    static void EndeAndWait(Program& program) {
        program.Click(IDOK);
        ASSERT_TRUE(program.WaitForExit())
            << "still open; box: " << gui::BoxText(program.FindBox());
    }
};

// The first start stores the defaults at "Ende" (a value of the wrong type is passed over),
// and not what was typed since the last exchange from the fields; every start then shows the
// stored serial number plus one, so each start hands out the next number.
TEST_F(StoredSettings, EndeStoresTheDefaultsAndEachStartHandsOutTheNextSerial) {
    gui::SetStringSetting(L"contacts", L"7");
    for (const wchar_t* shown : {L"0", L"1", L"2"}) {
        Program program;
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(program.Text(IDC_SERIAL), shown);
        program.SetText(IDC_BOUNCE, L"30");
        EndeAndWait(program);
        EXPECT_EQ(gui::DwordSetting(L"contacts"), 4u);
        EXPECT_EQ(gui::DwordSetting(L"delay"), 10u);
        EXPECT_EQ(gui::DwordSetting(L"clearTime"), 50u);
    }
    EXPECT_EQ(gui::DwordSetting(L"serial"), 2u);
}

// A stored count outside the list shows as nothing, and an exchange from the fields and back
// (here by "+") keeps it; a stored speed shows as stored.
TEST_F(StoredSettings, ACountOutsideTheListShowsAsNothingAndIsKept) {
    gui::SetDwordSetting(L"contacts", 30);
    gui::SetDwordSetting(L"clearTime", 7);
    Program program;
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Send(IDC_CONTACTS, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(program.Text(IDC_SPEED), L"7");
    program.Click(IDC_SERIAL_PLUS);
    ASSERT_TRUE(program.Settle());
    EXPECT_EQ(program.Text(IDC_SERIAL), L"1");
    EXPECT_EQ(program.Text(IDC_CONTACTS), L"");
    EndeAndWait(program);
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 30u);
}

// Esc and the close box end the program without the question, even after a change, and
// without saving anything.
TEST_F(StoredSettings, EscAndTheCloseBoxEndWithoutTheQuestionAndSaveNothing) {
    for (bool esc : {true, false}) {
        gui::SetDwordSetting(L"serial", 41);
        Program program;
        ASSERT_TRUE(program.Start());
        program.Send(IDC_CONTACTS, CB_SETCURSEL, 2);
        program.PostNotify(IDC_CONTACTS, CBN_SELCHANGE);
        ASSERT_TRUE(program.Settle());
        if (esc) {
            ASSERT_TRUE(program.BringToFront());
            gui::TypeKey(VK_ESCAPE);
        } else {
            ::PostMessageW(program.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        ASSERT_TRUE(program.WaitForExit()) << "a box appeared: " << gui::BoxText(program.FindBox());
        EXPECT_EQ(gui::DwordSetting(L"serial"), 41u) << "esc " << esc;
        EXPECT_EQ(gui::DwordSetting(L"contacts"), std::nullopt) << "esc " << esc;
    }
}

}  // namespace
