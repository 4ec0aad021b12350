// The four settings that survive between runs, against the real registry: what a start
// shows for what is stored, and what "Ende", Esc and the close box leave behind.
#include <gtest/gtest.h>

#include <string_view>

#include "GuiDriver.h"
#include "ui/resource.h"

namespace {

using gui::Program;

class StoredSettings : public testing::Test {
protected:
    void SetUp() override { gui::DeleteSettings(); }
    void TearDown() override { gui::DeleteSettings(); }
};

// Every start shows the stored serial number plus one, so each start hands out the next
// number. "Ende" stores the defaults (a value of the wrong type is passed over), and not what
// was typed since the last exchange from the fields. Esc and the close box end the program
// without the question, even after a change, and store nothing: the number shows again.
TEST_F(StoredSettings, EndeStoresTheDefaultsAndEachStartHandsOutTheNextSerial) {
    gui::SetTextSetting(L"contacts", L"7");
    const std::pair<const wchar_t*, std::wstring_view> starts[] = {
        {L"0", L"Ende"}, {L"1", L"Ende"}, {L"2", L"Esc"}, {L"2", L"close box"}, {L"2", L"Ende"}};
    for (const auto& [shown, leave] : starts) {
        Program program;
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(program.Text(IDC_SERIAL), shown);
        program.SetText(IDC_BOUNCE, L"30");
        if (leave == L"Ende") {
            program.Click(IDOK);
        } else {
            program.Send(IDC_CONTACTS, CB_SETCURSEL, 2);
            program.PostNotify(IDC_CONTACTS, CBN_SELCHANGE);
            ASSERT_TRUE(program.Settle());
            ASSERT_TRUE(program.BringToFront());
            if (leave == L"Esc")
                gui::TypeKey(VK_ESCAPE);
            else
                program.SystemCommand(SC_CLOSE);
        }
        ASSERT_TRUE(program.WaitForExit()) << "a box appeared: " << gui::BoxText(program.FindBox());
        EXPECT_EQ(gui::DwordSetting(L"contacts"), 4u) << "start " << shown;
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
    program.Click(IDOK);
    ASSERT_TRUE(program.WaitForExit()) << "a box appeared: " << gui::BoxText(program.FindBox());
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 30u);
}

}  // namespace
