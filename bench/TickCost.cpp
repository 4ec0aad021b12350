#include "TickCost.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "BenchImage.h"
#include "gui/GuiDriver.h"
#include "ProgramRun.h"
#include "framework/Edit.h"
#include "framework/MessageLoop.h"
#include "framework/PreciseTimer.h"
#include "support/KeyBoxEmulator_win.h"
#include "programming/AckLetter.h"
#include "programming/KeySender_win.h"
#include "programming/LockTransmission.h"

namespace {

constexpr wchar_t kWindowClass[] = L"OrvantaTickBench";

LONGLONG Now() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void OnTick(void*);

// The program's own transmission with a port that does what the main dialog's does, the
// feedback field being an edit control of this process.
struct TickRun final : CLockTransmission::Port {
    explicit TickRun(const ConfigImage& image) : transmission(image, *this) {}

    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        const LONGLONG start = Now();
        SendKeyBatch(batch, action);
        sendCost = Now() - start;
        sent.emplace_back(batch, action);
    }
    void ShowCountdown(int bytesLeft) override {
        feedback.ReplaceAll(std::to_wstring(bytesLeft));
        rewrote = true;
    }
    void ImageSent() override {
        feedback.ReplaceAll(L"");
        rewrote = true;
    }
    void Progress(int) override {}
    bool StartTimer() override { return timer.Start(OnTick, nullptr); }
    void WakeAt(std::int64_t dueUs) override { timer.WakeAt(dueUs); }
    void StopTimer() override { timer.Stop(); }
    std::int64_t NowMicroseconds() override { return CPreciseTimer::Now(); }
    void Sleep(int) override {}

    CPreciseTimer timer;
    CLockTransmission transmission;
    CEdit feedback;
    bool rewrote = false;
    LONGLONG sendCost = 0;  // the SendInput of the tick under way
    std::vector<std::pair<KeyBatch, KeyAction>> sent;
    std::vector<LONGLONG> starts;
    std::vector<LONGLONG> costs;
    std::vector<LONGLONG> sendCosts;
    std::vector<bool> rewrites;
    std::size_t replayed = 0;  // bare replay of `sent`: batches sent so far
    std::int64_t replayStartUs = 0;
    std::int64_t intervalUs = 0;
    std::vector<LONGLONG> bareCosts;
};
TickRun* g_run = nullptr;

// The yardstick for a tick: the batch it sent, by a bare SendInput.
// Woken by the same kind of timer as the tick, one batch each interval from the start.
void OnBareTick(void*) {
    TickRun* run = g_run;
    if (run == nullptr || run->replayed >= run->sent.size())
        return;
    const std::int64_t due =
        run->replayStartUs + run->intervalUs * static_cast<std::int64_t>(run->replayed + 1);
    if (CPreciseTimer::Now() >= due) {
        const auto& [batch, action] = run->sent[run->replayed++];
        const LONGLONG start = Now();
        SendKeyBatch(batch, action);
        run->bareCosts.push_back(Now() - start);
    }
    run->timer.WakeAt(run->replayStartUs +
                      run->intervalUs * static_cast<std::int64_t>(run->replayed + 1));
}

// The program's tick, with the clock around it. The timer also wakes when no step is due
// (every 10 ms, for the system's own message loops): such wakes are not counted.
void OnTick(void*) {
    TickRun* run = g_run;
    if (run == nullptr || !run->transmission.Running())
        return;
    run->rewrote = false;
    const int step = run->transmission.Step();
    const LONGLONG start = Now();
    run->transmission.Tick();
    const LONGLONG end = Now();
    if (run->transmission.Step() == step)
        return;
    run->starts.push_back(start);
    run->costs.push_back(end - start);
    run->sendCosts.push_back(run->sendCost);
    run->rewrites.push_back(run->rewrote);
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

// Runs this thread's messages as the dialog's modal loop would until `done` holds or the time
// is up.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    // A second timer keeps GetMessage from waiting past the deadline if the first one stops.
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 200, nullptr);
    MSG msg;
    while (!done() && ::GetTickCount64() < deadline) {
        if (fw::NextMessage(&msg) <= 0)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::KillTimer(nullptr, watchdog);
    return done();
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
    figures.length = BuildConfigImage(image, MakeBenchSettings(contacts));
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

    TickRun run(image);
    const int steps = CLockTransmission::StepCount(figures.length);
    run.feedback = CEdit(window.Edit());
    run.starts.reserve(static_cast<std::size_t>(steps));
    run.costs.reserve(static_cast<std::size_t>(steps));
    g_run = &run;
    LARGE_INTEGER started;
    ::QueryPerformanceCounter(&started);
    const bool timerSet = run.transmission.Start(figures.length, static_cast<std::uint32_t>(speed));
    const DWORD timeoutMs = static_cast<DWORD>(3 * steps * speed) + 10000;
    const bool done = timerSet && PumpUntil([&] { return !run.transmission.Running(); }, timeoutMs);
    run.transmission.Stop();
    g_run = nullptr;

    if (!done)
        figures.failure = "the timer stopped at step " + std::to_string(run.transmission.Step());
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
    }
    // The same batches once more, each by a bare SendInput at the same pace, with the key box
    // listening as before (a listening hook is what SendInput waits for).
    g_run = &run;
    run.intervalUs = 1000 * speed;
    run.replayStartUs = CPreciseTimer::Now();
    if (run.timer.Start(OnBareTick, nullptr)) {
        run.timer.WakeAt(run.replayStartUs + run.intervalUs);
        PumpUntil([&] { return run.replayed >= run.sent.size(); }, timeoutMs);
        run.timer.Stop();
    }
    g_run = nullptr;
    if (withKeyBox) {
        keyBox.WaitForImages(2, QuietTimeFor(speed) + 5000);
        keyBox.Stop();
    }
    // This thread's key state follows the key messages it takes: at the fastest speeds some
    // are still queued when the last batch has gone.
    figures.locksOffAfter = gui::WaitUntil(
        [] {
            return !gui::LockOn(VK_CAPITAL) && !gui::LockOn(VK_NUMLOCK) && !gui::LockOn(VK_SCROLL);
        },
        2000);
    gui::ResetLocks();

    figures.ticks = static_cast<int>(run.costs.size());
    std::vector<double> costs;
    std::vector<double> besides;  // what the tick costs besides its SendInput
    std::vector<double> rewriteCosts;
    std::vector<double> starts;
    for (std::size_t i = 0; i < run.costs.size(); ++i) {
        costs.push_back(TicksToUnit(run.costs[i], 1e6));
        besides.push_back(TicksToUnit(run.costs[i] - run.sendCosts[i], 1e6));
        if (run.rewrites[i])
            rewriteCosts.push_back(costs.back());
        starts.push_back(TicksToUnit(run.starts[i] - started.QuadPart, 1e3));
    }
    figures.costUs = SpreadOf(costs);
    figures.besidesSendUs = SpreadOf(besides);
    std::vector<double> bareCosts;
    for (LONGLONG cost : run.bareCosts)
        bareCosts.push_back(TicksToUnit(cost, 1e6));
    figures.bareCostUs = SpreadOf(bareCosts);
    figures.rewriteCostUs = SpreadOf(rewriteCosts);
    figures.intervalMs = SpreadOf(GapsOf(starts));
    figures.firstTickMs = starts.empty() ? 0 : starts.front();
    if (starts.size() > 1)
        figures.pace = (starts.back() - starts.front()) / ((starts.size() - 1) * speed);
    return figures;
}
