#include "TickCost.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "BenchImage.h"
#include "GuiDriver.h"
#include "ProgramRun.h"
#include "framework/Edit.h"
#include "keybox/KeyBoxEmulator_win.h"
#include "programming/AckLetter.h"
#include "programming/KeySender_win.h"
#include "programming/TimedTransmitter.h"

namespace {

constexpr wchar_t kWindowClass[] = L"OrvantaTickBench";

// One transmission on the timer; the callback has no context of its own.
struct TickRun {
    CTimedTransmitter transmitter;
    const ConfigImage* image = nullptr;
    int step = 0;
    int steps = 0;
    int slot = -1;
    CEdit feedback;
    std::vector<LONGLONG> starts;
    std::vector<LONGLONG> costs;
    std::vector<bool> rewrote;
};
TickRun* g_run = nullptr;

// The dialog's tick, in the dialog's order, with the clock around it.
void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    TickRun* run = g_run;
    if (run == nullptr || run->step >= run->steps)
        return;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    const auto effects = run->transmitter.Tick(run->step, run->steps, *run->image);
    if (effects.countdown)
        run->feedback.ReplaceAll(std::to_wstring(*effects.countdown));
    if (effects.send)
        SendKeyBatch(effects.batch, effects.action);
    if (effects.clearFeedback) {
        run->feedback.ReplaceAll(L"");
        run->slot = 0;
    }
    ::QueryPerformanceCounter(&end);
    run->starts.push_back(start.QuadPart);
    run->costs.push_back(end.QuadPart - start.QuadPart);
    run->rewrote.push_back(effects.countdown.has_value() || effects.clearFeedback);
}

// A small window with one edit control standing in for the feedback field; it has the focus,
// so the lock keys and the key box's letter arrive there as they would in the dialog.
class FeedbackWindow {
public:
    FeedbackWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        ::RegisterClassW(&wc);  // fails harmlessly when a previous run registered it
        m_frame =
            ::CreateWindowExW(0, kWindowClass, L"tick bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60,
                              60, 320, 100, nullptr, nullptr, wc.hInstance, nullptr);
        m_edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                   WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 280, 24, m_frame,
                                   nullptr, wc.hInstance, nullptr);
    }
    ~FeedbackWindow() {
        if (m_frame != nullptr)
            ::DestroyWindow(m_frame);
    }
    FeedbackWindow(const FeedbackWindow&) = delete;
    FeedbackWindow& operator=(const FeedbackWindow&) = delete;

    bool Focus() const {
        if (m_edit == nullptr)
            return false;
        ::SetForegroundWindow(m_frame);
        ::SetFocus(m_edit);
        return gui::WaitUntil([&] { return ::GetForegroundWindow() == m_frame; }, 5000);
    }
    HWND Edit() const { return m_edit; }

private:
    HWND m_frame = nullptr;
    HWND m_edit = nullptr;
};

// Runs this thread's messages as the dialog's modal loop would until the transmission has
// sent its last step or the time is up.
bool PumpUntilDone(const TickRun& run, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    // A second timer keeps GetMessage from waiting past the deadline if the first one stops.
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 200, nullptr);
    MSG msg;
    while (run.step < run.steps && ::GetTickCount64() < deadline) {
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::KillTimer(nullptr, watchdog);
    return run.step >= run.steps;
}

double TicksToUnit(LONGLONG ticks, double unitsPerSecond) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * unitsPerSecond / static_cast<double>(frequency.QuadPart);
}

}  // namespace

TickCostFigures MeasureTickCost(int contacts, int speed, bool withKeyBox) {
    TickCostFigures figures;
    figures.contacts = contacts;
    figures.speed = speed;
    figures.keyBox = withKeyBox;

    ConfigImage image{};
    figures.length = ExpectedImage(MakeBenchSettings(contacts), contacts, image);
    figures.expectedLetter = ComputeAckLetter(image.data(), figures.length);

    FeedbackWindow window;
    if (!window.Focus()) {
        figures.failure = "the feedback window did not come to the front";
        return figures;
    }
    if (!gui::ResetLocks()) {
        figures.failure = "a lock stays on";
        return figures;
    }
    CKeyBoxEmulator keyBox;
    keyBox.SetQuietTime(QuietTimeFor(speed));
    if (withKeyBox && !keyBox.Start()) {
        figures.failure = "no low-level keyboard hook";
        return figures;
    }

    TickRun run;
    run.image = &image;
    run.steps = CTimedTransmitter::StepCount(figures.length);
    run.feedback = CEdit(window.Edit());
    run.starts.reserve(static_cast<std::size_t>(run.steps));
    run.costs.reserve(static_cast<std::size_t>(run.steps));
    g_run = &run;
    LARGE_INTEGER started;
    ::QueryPerformanceCounter(&started);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, static_cast<UINT>(speed), OnTick);
    const bool done =
        timer != 0 && PumpUntilDone(run, static_cast<DWORD>(3 * run.steps * speed) + 10000);
    if (timer != 0)
        ::KillTimer(nullptr, timer);
    g_run = nullptr;

    if (!done)
        figures.failure = "the timer stopped at step " + std::to_string(run.step);
    if (withKeyBox) {
        if (keyBox.WaitForImage(QuietTimeFor(speed) + 5000)) {
            const auto received = keyBox.Images().front();
            figures.valid =
                received.valid && std::equal(received.bytes.begin(), received.bytes.end(),
                                             image.begin(), image.begin() + figures.length);
            figures.typedLetter = received.typedLetter;
        }
        const std::wstring letter(1, static_cast<wchar_t>(figures.typedLetter));
        figures.letterArrived =
            figures.typedLetter != 0 &&
            gui::WaitUntil([&] { return gui::WindowText(window.Edit()) == letter; }, 2000);
        keyBox.Stop();
    }
    gui::WaitUntil([] { return true; }, 0);
    figures.locksOffAfter =
        !gui::LockOn(VK_CAPITAL) && !gui::LockOn(VK_NUMLOCK) && !gui::LockOn(VK_SCROLL);
    gui::ResetLocks();

    figures.ticks = static_cast<int>(run.costs.size());
    std::vector<double> costs;
    std::vector<double> rewriteCosts;
    std::vector<double> starts;
    for (std::size_t i = 0; i < run.costs.size(); ++i) {
        costs.push_back(TicksToUnit(run.costs[i], 1e6));
        if (run.rewrote[i])
            rewriteCosts.push_back(costs.back());
        starts.push_back(TicksToUnit(run.starts[i] - started.QuadPart, 1e3));
    }
    figures.costUs = SpreadOf(costs);
    figures.rewriteCostUs = SpreadOf(rewriteCosts);
    figures.intervalMs = SpreadOf(GapsOf(starts));
    figures.firstTickMs = starts.empty() ? 0 : starts.front();
    return figures;
}
