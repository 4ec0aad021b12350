// What one more line of the keyboard test dialog's log costs when the log already holds 1,000
// or 10,000 lines: the dialog's own way (the line added at the end of the field, the view
// following it) against writing the whole log into the field for every line, with and without
// scrolling to the end afterwards. The real dialog runs in this process; each line is a
// key-down through its input filter, and the field is painted before the next line.
//   TestLogBench.exe [lines ...]     (default: 1000 10000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Spread.h"
#include "framework/Edit.h"
#include "keycodes/TestLogLine.h"
#include "ui/TestDlg.h"
#include "ui/resource.h"

namespace {

constexpr int kSamples = 50;  // lines timed after each fill

enum class Way { Append, Rewrite, RewriteAndScroll };

const char* Name(Way way) {
    switch (way) {
        case Way::Append:
            return "append (the dialog's)";
        case Way::Rewrite:
            return "rewrite whole log";
        case Way::RewriteAndScroll:
            return "rewrite, scroll to end";
    }
    return "";
}

// How many lines the field shows from its first visible line on. (The field's positions are
// 16-bit: a line thousands of lines away has no position to compare.)
LRESULT VisibleLines(const CEdit& field, LRESULT first) {
    const auto top = [&](LRESULT line) {
        const LRESULT start = field.SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line));
        return static_cast<short>(HIWORD(field.SendMessage(EM_POSFROMCHAR, start)));
    };
    const int lineHeight = top(first + 1) - top(first);
    RECT client{};
    ::GetClientRect(field.m_hWnd, &client);
    return lineHeight > 0 ? (client.bottom - top(first)) / lineHeight : 0;
}

class BenchDlg : public CTestDlg {
public:
    std::vector<int> sizes;
    bool sound = true;

    static void CALLBACK Measure(HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        s_current->MeasureAll();
        s_current->EndDialog(IDCANCEL);
    }

    INT_PTR Run() {
        s_current = this;
        ::SetTimer(nullptr, 0, 1, Measure);
        return DoModal();
    }

private:
    void MeasureAll() {
        std::printf(
            "\nKeyboard test dialog, one more line of the log (a key-down through the dialog's\n"
            "input filter, then the field painted); %d lines timed after each fill\n"
            "lines  way                      median us     p90 us     max us  newest line\n",
            kSamples);
        for (int lines : sizes) {
            for (Way way : {Way::Append, Way::Rewrite, Way::RewriteAndScroll})
                MeasureOne(lines, way);
        }
    }

    void MeasureOne(int lines, Way way) {
        CEdit field(GetDlgItem(IDC_TEST_LOG));
        const std::wstring line = *TestLogLine(WM_KEYDOWN, 0x41, 0x1E0001);
        m_log.clear();
        for (int i = 0; i < lines; ++i)
            m_log += line;
        UpdateData(FALSE);
        field.SetModify(FALSE);
        ::UpdateWindow(field.m_hWnd);

        std::vector<double> costs;
        for (int i = 0; i < kSamples; ++i) {
            const auto start = std::chrono::steady_clock::now();
            if (way == Way::Append) {
                MSG msg{field.m_hWnd, WM_KEYDOWN, 0x41, 0x1E0001, 0, {}};
                PreTranslateMessage(&msg);
            } else {
                m_log += line;
                UpdateData(FALSE);
                if (way == Way::RewriteAndScroll) {
                    const int end = static_cast<int>(m_log.size());
                    field.SetSel(end, end);
                    field.ScrollCaret();
                }
            }
            ::UpdateWindow(field.m_hWnd);
            costs.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        // The newest line is the one before the empty line after the last line break.
        const LRESULT newest = field.SendMessage(EM_GETLINECOUNT) - 2;
        const LRESULT first = field.SendMessage(EM_GETFIRSTVISIBLELINE);
        const bool inView = first <= newest && newest - first < VisibleLines(field, first);
        const bool complete = field.GetWindowText().size() == m_log.size();
        sound = sound && complete && newest == lines + kSamples - 1;
        const Spread spread = SpreadOf(costs);
        std::printf("%5d  %-22s %10.1f %10.1f %10.1f  %s (line %ld, view from %ld)%s\n", lines,
                    Name(way), spread.median, spread.p90, spread.max,
                    inView ? "in view" : "NOT in view", static_cast<long>(newest),
                    static_cast<long>(first), complete ? "" : "  FIELD CUT SHORT");
    }

    static inline BenchDlg* s_current = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    BenchDlg dlg;
    for (int i = 1; i < argc; ++i) {
        const int lines = std::atoi(argv[i]);
        if (lines < 1) {
            std::fprintf(stderr, "usage: TestLogBench [lines ...]\n");
            return 2;
        }
        dlg.sizes.push_back(lines);
    }
    if (dlg.sizes.empty())
        dlg.sizes = {1000, 10000};
    if (dlg.Run() == -1) {
        std::fprintf(stderr, "the test dialog could not be created\n");
        return 1;
    }
    return dlg.sound ? 0 : 1;
}
