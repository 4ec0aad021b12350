// The progress dialog in this process: it follows the positions it is sent and closes itself
// at its last position, or when the user cancels.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "ui/ProgressDlg.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

namespace {

// Records where the dialog decided to close.
class ProbedProgressDlg : public CProgressDlg {
public:
    int lastSent = 0;
    int closedAt = -1;
    int barMaximum = -1;
    int barBeforeLast = -1;
    bool okEnabled = true;
    std::vector<int> toSend;

    // Sends the positions from inside the dialog's own loop, as the transmission's timer does.
    static void CALLBACK Feed(HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        ProbedProgressDlg& dlg = *s_current;
        HWND bar = dlg.GetDlgItem(IDC_PROGRESS_BAR);
        dlg.barMaximum = static_cast<int>(::SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
        dlg.okEnabled = ::IsWindowEnabled(dlg.GetDlgItem(IDOK)) != 0;
        for (int position : dlg.toSend) {
            if (dlg.closedAt >= 0)
                break;
            dlg.barBeforeLast = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
            dlg.lastSent = position;
            dlg.SendMessage(WM_APP_PROGRESS, static_cast<WPARAM>(position));
        }
        if (dlg.closedAt < 0)
            dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    }

    INT_PTR Run() {
        s_current = this;
        ::SetTimer(nullptr, 0, 1, Feed);
        return DoModal();
    }

protected:
    void OnOK() override {
        closedAt = lastSent;
        CProgressDlg::OnOK();
    }

private:
    static inline ProbedProgressDlg* s_current = nullptr;
};

// The bar follows the positions; the dialog closes itself at its last position or past it,
// and "Abbrechen" closes it before.
TEST(ProgressDialog, FollowsThePositionsAndClosesItselfAtTheLast) {
    std::vector<int> all(400);
    std::iota(all.begin(), all.end(), 1);
    const struct {
        int maximum;
        std::vector<int> positions;
        INT_PTR result;
        int closedAt;
    } rows[] = {
        {348, all, IDOK, 348}, {876, {5, 900}, IDOK, 900}, {100, {1, 50, 99}, IDCANCEL, -1}};
    for (const auto& row : rows) {
        ProbedProgressDlg dlg;
        dlg.m_maximum = row.maximum;
        dlg.toSend = row.positions;
        EXPECT_EQ(dlg.Run(), row.result);
        EXPECT_EQ(dlg.closedAt, row.closedAt);
        EXPECT_EQ(dlg.barMaximum, row.maximum);
        EXPECT_FALSE(dlg.okEnabled) << "OK is created disabled";
        if (row.maximum == 348) {
            EXPECT_EQ(dlg.barBeforeLast, 347);
        }
    }
}

}  // namespace
