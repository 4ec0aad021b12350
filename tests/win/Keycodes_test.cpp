// The key code chooser in this process, working on a stand-in for the main dialog: the real
// dialog's list and boxes, worked from a timer inside its own modal loop as a user would.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "keycodes/HidKeyNames.h"
#include "ui/Keycodes.h"
#include "ui/resource.h"

namespace {

class FakeMainDialog final : public IKeycodesHost {
public:
    int slot = 0;
    int contacts = 4;
    int selected = -1;
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

CKeycodes* s_chooser = nullptr;
std::function<void(HWND)> s_script;

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    HWND dialog = s_chooser->m_hWnd;
    s_script(dialog);
    // Whatever the script left open is cancelled; a chooser that closed itself ignores this.
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Runs the chooser modally for `host`, works it with `script` and returns how it closed.
INT_PTR RunChooser(FakeMainDialog& host, std::function<void(HWND)> script) {
    CKeycodes chooser(&host);
    s_chooser = &chooser;
    s_script = std::move(script);
    ::SetTimer(nullptr, 0, 1, RunScript);
    return chooser.DoModal();
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
bool Checked(HWND d, int id) {
    return ::SendMessageW(::GetDlgItem(d, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
std::wstring Text(HWND d, int id) {
    wchar_t text[64] = {};
    ::GetDlgItemTextW(d, id, text, 64);
    return text;
}

TEST(KeycodeChooser, PicksRewriteTheSlotAtOnceAndCancelKeepsThem) {
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
        EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(Text(d, IDC_KC_SLOT_LABEL), L"Key 24 pressed");
        for (int id : {IDC_KC_GUI, IDC_KC_ALT, IDC_KC_CTRL, IDC_KC_SHIFT, IDC_KC_REPEAT})
            EXPECT_FALSE(Checked(d, id)) << "box " << id;

        Click(d, IDC_KC_SHIFT);
        EXPECT_EQ(host.slots[46], L"1e") << "no key picked yet";
        Pick(d, 4);  // "a"
        EXPECT_EQ(host.slots[46], L"204");
        Click(d, IDC_KC_ALT);
        EXPECT_EQ(host.slots[46], L"604");
        Click(d, IDC_KC_REPEAT);
        EXPECT_EQ(host.repeat, L"800000");

        Click(d, IDC_KC_NEXT);
        EXPECT_EQ(host.slot, 47);
        EXPECT_EQ(host.selected, 47);
        EXPECT_EQ(Text(d, IDC_KC_SLOT_LABEL), L"Key 24 released");
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_KC_REPEAT)));
        EXPECT_FALSE(Checked(d, IDC_KC_REPEAT));
        EXPECT_TRUE(Checked(d, IDC_KC_SHIFT) && Checked(d, IDC_KC_ALT));
        EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), 4);
        EXPECT_EQ(host.slots[47], L"") << "Next writes nothing";
        Click(d, IDC_KC_NEXT);  // the last slot: stays, and the chooser stays open
        EXPECT_EQ(host.slot, 47);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(host.slots[46], L"604");
    EXPECT_EQ(host.repeat, L"800000");
}

TEST(KeycodeChooser, NextClosesAfterTheLastConfiguredContact) {
    struct Case {
        int slot, contacts, nexts, closedOn;
    };
    for (const Case c : {Case{6, 4, 2, 8}, Case{10, 2, 1, 11}, Case{0, 0, 1, 1}}) {
        FakeMainDialog host;
        host.slot = c.slot;
        host.contacts = c.contacts;
        const INT_PTR result = RunChooser(host, [&](HWND d) {
            Pick(d, 165);  // "LeftControl"
            for (int n = 0; n < c.nexts; ++n)
                Click(d, IDC_KC_NEXT);
        });
        EXPECT_EQ(result, IDOK) << "opened on slot " << c.slot;
        EXPECT_EQ(host.slot, c.closedOn);
        EXPECT_EQ(host.slots[c.slot], L"e0");
    }
}

}  // namespace
