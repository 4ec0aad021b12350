// The key code chooser in this process, on a stand-in for the main dialog: the real list and
// boxes, worked from a timer inside the chooser's own modal loop as a user would.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "gui/GuiDriver.h"
#include "keycodes/HidKeyNames.h"
#include "ui/Keycodes.h"
#include "ui/resource.h"

namespace {

struct FakeMainDialog final : IKeycodesHost {
    int slot = 0, contacts = 4, selected = -1;
    std::array<std::wstring, 48> slots;
    std::wstring repeat;

    int CurrentSlot() const override { return slot; }
    void SetCurrentSlot(int s) override { slot = s; }
    int Contacts() const override { return contacts; }
    void SetSlotText(int s, std::wstring_view text) override { slots.at(s) = text; }
    void SelectSlot(int s) override { selected = s; }
    std::wstring RepeatText() const override { return repeat; }
    void SetRepeatText(std::wstring_view text) override { repeat = text; }
};

// Runs the chooser for `host`, works it with `script` from inside its loop and cancels what
// the script left open. Returns how the chooser closed.
INT_PTR RunChooser(FakeMainDialog& host, std::function<void(HWND)> script) {
    static CKeycodes* chooser;
    static std::function<void(HWND)> run;
    CKeycodes dialog(&host);
    chooser = &dialog;
    run = std::move(script);
    ::SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        run(chooser->m_hWnd);
        ::PostMessageW(chooser->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    return dialog.DoModal();
}

void Pick(HWND d, int index) {
    HWND list = ::GetDlgItem(d, IDC_KC_KEY);
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_KC_KEY, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}
void Click(HWND d, int id) {
    ::SendMessageW(::GetDlgItem(d, id), BM_CLICK, 0, 0);
}
std::wstring Label(HWND d) {
    return gui::WindowText(::GetDlgItem(d, IDC_KC_SLOT_LABEL));
}

TEST(KeycodeChooser, ListsTheNamesUnsortedPicksRewriteTheSlotAtOnceAndCancelKeepsThem) {
    FakeMainDialog host;
    host.slot = 46;
    host.contacts = 24;
    host.slots[46] = L"1e";
    const INT_PTR result = RunChooser(host, [&](HWND d) {
        HWND list = ::GetDlgItem(d, IDC_KC_KEY);
        ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), kHidKeyNameCount);
        for (int i = 0; i < kHidKeyNameCount; ++i) {
            wchar_t name[64] = {};
            ::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
            EXPECT_EQ(std::wstring(name), g_hidKeyNames[i]) << "list position " << i;
        }
        EXPECT_EQ(Label(d), L"Key 24 pressed");

        Click(d, IDC_KC_SHIFT);
        EXPECT_EQ(host.slots[46], L"1e") << "no key picked yet";
        Pick(d, 4);  // "a"
        EXPECT_EQ(host.slots[46], L"204");
        Click(d, IDC_KC_REPEAT);
        EXPECT_EQ(host.repeat, L"800000");

        Click(d, IDC_KC_NEXT);
        EXPECT_EQ(host.slot, 47);
        EXPECT_EQ(host.selected, 47);
        EXPECT_EQ(Label(d), L"Key 24 released");
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_KC_REPEAT)));
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_KC_REPEAT), BST_UNCHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_KC_SHIFT), BST_CHECKED) << "modifiers stay";
        EXPECT_EQ(host.slots[47], L"") << "Next writes nothing";
        Click(d, IDC_KC_NEXT);  // the last slot: it stays, and so does the chooser
        EXPECT_EQ(host.slot, 47);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(host.slots[46], L"204");
    EXPECT_EQ(host.repeat, L"800000");
}

// A timed write that ends while the chooser is open moves the main dialog's current slot to 0
// under it: picks, Repeat and Next still go by the slot the chooser shows. Next past the last
// configured contact closes the chooser.
TEST(KeycodeChooser, APickLandsOnTheSlotTheChooserShows) {
    FakeMainDialog host;
    host.slot = 4;
    host.contacts = 3;
    const INT_PTR result = RunChooser(host, [&](HWND d) {
        host.slot = 0;
        Pick(d, 4);  // "a"
        Click(d, IDC_KC_REPEAT);
        Click(d, IDC_KC_NEXT);
        EXPECT_EQ(Label(d), L"Key 3 released");
        Click(d, IDC_KC_NEXT);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(host.slots[4], L"4");
    EXPECT_EQ(host.slots[0], L"");
    EXPECT_EQ(host.repeat, L"4");
    EXPECT_EQ(host.slot, 6);
}

}  // namespace
