// The main dialog as a user meets it: the "+" button, the feedback field's key monitor,
// leaving with "Ende", and what follows the program's file name (the program's and a
// reseller's renamed copy): title, about box and start-up state.
#include <gtest/gtest.h>

#include <string>

#include "GuiDriver.h"  // <windows.h> first

#include <commctrl.h>

#include "ui/resource.h"

namespace {

using gui::Program;

class MainDialog : public testing::Test {
protected:
    void SetUp() override {
        gui::DeleteSettings();
        ASSERT_TRUE(program.Start()) << "the main dialog did not appear";
    }
    void TearDown() override { gui::DeleteSettings(); }

    Program program;
};

// The slot fields and the key-repeat field tell what they hold when the mouse rests on them,
// as the field stands at that moment.
TEST_F(MainDialog, TheFieldsTellTheirKeysInATooltip) {
    HWND tips = nullptr;  // the dialog's own, among the top-level windows, once it has painted
    ASSERT_TRUE(gui::WaitUntil([&] {
        while ((tips = ::FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) != nullptr &&
               ::GetWindow(tips, GW_OWNER) != program.Dialog()) {
        }
        return tips != nullptr;
    })) << "no tooltip";
    EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 49);
    const auto tipOver = [&](int id) {
        RECT field;
        ::GetWindowRect(program.Item(id), &field);
        ::SetCursorPos(0, 0);
        gui::WaitUntil([&] { return !::IsWindowVisible(tips); });
        // A move may not reach a busy program: the cursor moves by a pixel again every two
        // seconds, well after the tip's delay, until the tip shows.
        for (int x = 0; x < 8 && !::IsWindowVisible(tips); ++x) {
            ::SetCursorPos((field.left + field.right) / 2 + x % 2, (field.top + field.bottom) / 2);
            gui::WaitUntil([&] { return ::IsWindowVisible(tips) != FALSE; }, 2000);
        }
        return gui::WindowText(tips);
    };
    ASSERT_TRUE(program.BringToFront());
    EXPECT_EQ(tipOver(IDC_SLOT_FIRST + 4), L"Key 3 pressed: nothing");
    program.SetText(IDC_SLOT_FIRST + 4, L"204");
    EXPECT_EQ(tipOver(IDC_SLOT_FIRST + 4), L"Key 3 pressed: Shift + a");
    program.SetText(IDC_REPEAT, L"5");
    EXPECT_EQ(tipOver(IDC_REPEAT), L"repeats: keys 1, 3");
}

TEST_F(MainDialog, PlusAddsOneAndReplacesLettersWithTheNextNumber) {
    program.SetText(IDC_SERIAL, L"41");
    program.Click(IDC_SERIAL_PLUS);
    EXPECT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_SERIAL) == L"42"; }));

    program.SetText(IDC_SERIAL, L"abc");
    program.Click(IDC_SERIAL_PLUS);
    const auto box = program.AnswerBox(IDOK);
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find(L"whole number"), std::wstring::npos) << box->text;
    // The member kept 42, was raised by one, and the field shows it in place of the letters.
    EXPECT_TRUE(gui::WaitUntil([&] { return program.Text(IDC_SERIAL) == L"43"; }))
        << "serial field: " << program.Text(IDC_SERIAL);
}

// With the focus in the feedback field, keys are shown by name there instead of acting on the
// dialog (Esc does not close it, Enter does not press "Ende", Tab does not move on), with
// prefixes for Shift and Ctrl that follow the keyboard: a key let go while the focus is in
// another field, or Shift let go while Alt is held, leaves no prefix in front of later keys.
TEST_F(MainDialog, KeyMonitorShowsKeysByNameAndShiftAndCtrlPrefixesNeverStick) {
    const auto key = [](WORD vk, bool up) {
        INPUT input{INPUT_KEYBOARD, {.ki = {vk, 0, up ? KEYEVENTF_KEYUP : 0u, 0, 0}}};
        ::SendInput(1, &input, sizeof(INPUT));
    };
    const auto focus = [&](int id) {
        ::SendMessageW(program.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(program.Item(id)),
                       TRUE);
    };
    const auto shows = [&](int id, const std::wstring& text) {
        EXPECT_TRUE(gui::WaitUntil([&] { return program.Text(id) == text; }))
            << "field " << id << ": " << program.Text(id);
    };
    ASSERT_TRUE(program.BringToFront());
    for (WORD modifier : {VK_SHIFT, VK_CONTROL}) {
        focus(IDC_FEEDBACK);  // which selects the field's text: the next echo replaces it
        key(modifier, false);
        gui::TypeKey(modifier == VK_SHIFT ? VK_F2 : 'C');
        shows(IDC_FEEDBACK, modifier == VK_SHIFT ? L"SHIFT F2 " : L"CTRL c ");
        focus(IDC_SERIAL);  // let go there
        key(modifier, true);
        const WORD digit = modifier == VK_SHIFT ? '7' : '8';
        gui::TypeKey(digit);
        shows(IDC_SERIAL, std::wstring(1, digit));
        focus(IDC_FEEDBACK);
        gui::TypeKey(VK_F1);
        gui::TypeKey('C');
        shows(IDC_FEEDBACK, L"F1 c");
    }
    focus(IDC_FEEDBACK);
    key(VK_SHIFT, false);
    key(VK_MENU, false);
    key(VK_SHIFT, true);  // WM_SYSKEYUP, as Alt is down
    key(VK_MENU, true);
    for (WORD vk : {VK_F1, VK_ESCAPE, VK_RETURN, VK_TAB})
        gui::TypeKey(vk);
    shows(IDC_FEEDBACK, L"MENU F1 IME escape return TAB ");
    EXPECT_EQ(program.FindBox(), nullptr);
    EXPECT_EQ(program.Focus(), program.Item(IDC_FEEDBACK));
}

// "Ende" saves the settings first, then refuses to close while a field holds no number of its
// kind or a speed outside 1..500, with the focus on that field. After a change it asks first:
// No keeps the dialog and saves nothing, Yes saves and ends.
TEST_F(MainDialog, RefusedFieldsKeepTheDialogOpenAtEnde) {
    const struct {
        int id;
        const wchar_t* text;
        const wchar_t* message;
    } fields[] = {
        {IDC_SPEED, L"0", L"Please enter a number from 1 to 500."},
        {IDC_SERIAL, L"99999999999",
         L"Please enter a whole number from -2147483648 to 2147483647."},
        {IDC_SPEED, L"12ms", L"Please enter a whole number from 0 to 4294967295."},
    };
    for (const auto& field : fields) {
        program.SetText(field.id, field.text);
        program.Click(IDOK);
        const auto box = program.AnswerBox(IDOK);
        ASSERT_TRUE(box) << "field " << field.id;
        EXPECT_EQ(box->text, field.message);
        EXPECT_EQ(program.Focus(), program.Item(field.id)) << "closed, or the focus elsewhere";
        if (&field == &fields[0]) {
            EXPECT_EQ(gui::DwordSetting(L"clearTime"), 50u) << "saved before the check";
        }
        program.SetText(field.id, L"10");
    }
    program.Send(IDC_CONTACTS, CB_SETCURSEL, 7);  // as a click in the list does
    program.PostNotify(IDC_CONTACTS, CBN_SELCHANGE);
    program.Click(IDOK);
    const auto question = program.AnswerBox(IDNO);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, L"no write done - really exit?");
    EXPECT_EQ(question->caption, L"?");
    EXPECT_TRUE(::IsWindowVisible(program.Dialog()));
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 4u) << "No must save nothing";
    program.Click(IDOK);
    ASSERT_TRUE(program.AnswerBox(IDYES));
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ(gui::DwordSetting(L"contacts"), 8u);
}

// The program and a reseller's renamed copy: each shows its own name in the title, the about
// box (behind the system menu, with the main dialog waiting disabled) and the captions of its
// message boxes, and its brand line in the about box. At start-up the contacts list holds 24
// counts with 4 selected, and Read and two buttons of no use to the user are hidden.
TEST(ProgramName, TitleAboutBoxAndCaptionsFollowTheNameOfTheProgramFile) {
    const std::pair<const wchar_t*, const wchar_t*> names[] = {{L"Orvanta", L"Velkara"},
                                                               {L"ORNIS_Orvanta", L"Ornis"}};
    for (const auto& [name, brand] : names) {
        gui::DeleteSettings();
        const std::wstring copy = gui::BuildDir() + L"\\" + name + L".exe";
        if (copy != gui::ProgramPath()) {
            ASSERT_TRUE(::CopyFileW(gui::ProgramPath().c_str(), copy.c_str(), FALSE));
        }
        Program program(copy);
        ASSERT_TRUE(program.Start());
        const std::wstring title = std::wstring(name) + L" V2.0";
        EXPECT_EQ(gui::WindowText(program.Dialog()), title);
        EXPECT_EQ(program.Send(IDC_CONTACTS, CB_GETCOUNT), 24);
        EXPECT_EQ(program.Send(IDC_CONTACTS, CB_GETCURSEL), 3);
        for (int id : {IDC_READ, IDC_WAIT_BUTTON, IDC_PROGRAMMED})
            EXPECT_FALSE(::IsWindowVisible(program.Item(id))) << "control " << id << " is shown";

        program.SystemCommand(IDM_ABOUTBOX);
        HWND about = program.WaitForBox();
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(gui::WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)), title);
        const std::wstring line = gui::WindowText(::GetDlgItem(about, IDC_ABOUT_BRAND));
        EXPECT_NE(line.find(std::wstring(L"2022 ") + brand), std::wstring::npos) << line;
        EXPECT_FALSE(::IsWindowEnabled(program.Dialog()));
        ASSERT_TRUE(program.AnswerBox(IDOK));
        EXPECT_TRUE(::IsWindowEnabled(program.Dialog()));

        program.Click(IDC_READ);
        const auto box = program.AnswerBox(IDOK);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, L"Not implemented");
        EXPECT_EQ(box->caption, name);
        program.SystemCommand(SC_CLOSE);
        EXPECT_TRUE(program.WaitForExit());
    }
    ::DeleteFileW((gui::BuildDir() + L"\\ORNIS_Orvanta.exe").c_str());
}

}  // namespace
