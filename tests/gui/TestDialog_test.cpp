// The keyboard test dialog behind the hidden "Test" button, through the real program: a line
// for every key message, no key acts on the dialog, the newest line stays in view however long
// the log, and each opening starts with an empty log.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "GuiDriver.h"
#include "ui/resource.h"

namespace {

// Posts the hidden button's command and waits for the dialog, in front so that keys reach it.
HWND OpenTestDialog(const gui::Program& program) {
    program.Click(IDC_TEST);
    HWND dialog = program.WaitForBox();
    ::SetForegroundWindow(dialog);
    gui::WaitUntil([&] { return ::GetForegroundWindow() == dialog; });
    return dialog;
}

TEST(TestDialog, LogsEveryKeyMessageKeepsTheNewestLineInViewAndStartsEmptyEachTime) {
    gui::Program program;
    ASSERT_TRUE(program.Start());
    HWND test = OpenTestDialog(program);
    ASSERT_NE(test, nullptr);
    HWND log = ::GetDlgItem(test, IDC_TEST_LOG);
    const auto ask = [&](UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(log, msg, wParam, lParam);
    };
    // The field counts the empty line after the last line break as a line of its own.
    const auto lines = [&] { return ask(EM_GETLINECOUNT) - 1; };

    gui::TypeKey('A');
    ASSERT_TRUE(gui::WaitUntil([&] { return lines() >= 2; }));
    const std::wstring pressAndRelease = gui::WindowText(log);
    // A key-up's lParam has its top bits set: shown as 32 bits, not sign-extended to 64.
    EXPECT_TRUE(
        std::regex_match(pressAndRelease, std::wregex(L"DOWN - wpar=41, lpar=[0-9a-f]{1,8}\r\n"
                                                      L"UP  -  wpar=41, lpar=c[0-9a-f]{7}\r\n")))
        << pressAndRelease;

    const HWND focus = program.Focus();
    for (WORD vk : {VK_ESCAPE, VK_RETURN, VK_TAB})
        gui::TypeKey(vk);
    gui::TypeKey(VK_F4, VK_MENU);
    // Five keys, a press and a release each, and nothing else: no character messages.
    ASSERT_TRUE(gui::WaitUntil([&] { return lines() >= 12; }));
    EXPECT_EQ(lines(), 12);
    const std::wstring keys = gui::WindowText(log);
    EXPECT_EQ(keys.substr(0, pressAndRelease.size()), pressAndRelease);
    EXPECT_NE(keys.find(L"\nSYSDOWN - wpar=73, "), std::wstring::npos) << keys;
    EXPECT_EQ(program.Focus(), focus) << "Tab moved the focus";

    // The longest lines, past what an edit control takes by default (32,767 characters; 30,000
    // under Wine). Each line costs the program a few milliseconds here.
    for (int i = 0; i < 720; ++i)
        ::PostMessageW(test, WM_SYSDEADCHAR, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(gui::WaitUntil([&] { return lines() >= 732; }, 60000)) << lines() << " lines";
    const LRESULT last = lines() - 1;
    const LRESULT top = static_cast<short>(HIWORD(ask(EM_POSFROMCHAR, ask(EM_LINEINDEX, last))));
    RECT field{};
    ::GetClientRect(log, &field);
    EXPECT_LE(ask(EM_GETFIRSTVISIBLELINE), last);
    EXPECT_LT(top, field.bottom) << "the newest line is below the visible part of the field";

    // Text cut from the field (its context menu can): the next line brings the whole log back.
    ask(EM_SETSEL, 0, 20);
    ask(WM_CLEAR);
    gui::TypeKey('B');
    ASSERT_TRUE(gui::WaitUntil([&] { return lines() >= 734; }));
    EXPECT_EQ(gui::WindowText(log).substr(0, keys.size()), keys);

    gui::Answer(test, IDOK);  // "Ende"
    ASSERT_TRUE(program.WaitForNoBox());
    test = OpenTestDialog(program);
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(gui::WindowText(::GetDlgItem(test, IDC_TEST_LOG)), L"");
}

}  // namespace
