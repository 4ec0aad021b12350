#include "ProgramRun.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "BenchImage.h"
#include "gui/GuiDriver.h"
#include "support/KeyBoxEmulator_win.h"
#include "framework/PreciseTimer.h"
#include "programming/AckLetter.h"
#include "programming/KeySender_win.h"
#include "programming/LockTransmission.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

namespace {

bool AllLocksOff() {
    return !gui::LockOn(VK_CAPITAL) && !gui::LockOn(VK_NUMLOCK) && !gui::LockOn(VK_SCROLL);
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text)
        narrow += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return narrow;
}

// What the key box saw, against the pace the timer should have kept.
void AnalysePacing(ProgramRunFigures& figures,
                   const std::vector<CKeyBoxEmulator::LockEvent>& events,
                   const std::vector<std::int64_t>& scrollTimes, DWORD clickTick) {
    if (events.empty())
        return;
    // Each step is one SendInput of presses or of releases, and the two alternate, so a batch
    // is a run of events with the same direction.
    std::vector<double> batchTimes;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (i == 0 || events[i].pressed != events[i - 1].pressed)
            batchTimes.push_back(static_cast<double>(events[i].timeMs));
    }
    figures.batches = static_cast<int>(batchTimes.size());
    const auto gaps = GapsOf(batchTimes);
    const double interval = figures.speed;
    figures.shortGaps = static_cast<int>(
        std::count_if(gaps.begin(), gaps.end(), [&](double g) { return g < 0.5 * interval; }));
    figures.longGaps = static_cast<int>(
        std::count_if(gaps.begin(), gaps.end(), [&](double g) { return g > 1.5 * interval; }));
    figures.stepGapsMs = SpreadOf(gaps);
    for (std::size_t k = 0; k < batchTimes.size(); ++k) {
        const double late = batchTimes[k] - batchTimes[0] - static_cast<double>(k) * interval;
        figures.mostLateMs = std::max(figures.mostLateMs, late);
        figures.lastLateMs = late;
    }

    std::vector<double> scroll(scrollTimes.begin(), scrollTimes.end());
    figures.scrollGapsMs = SpreadOf(GapsOf(scroll));

    // The hook's stamps and GetTickCount are the same 32-bit millisecond clock; the emulator
    // unwraps its stamps starting from the first one, so the low 32 bits compare directly.
    const auto first = events.front().timeMs;
    const auto last = events.back().timeMs;
    const auto sinceClick = [&](std::int64_t t) {
        return static_cast<double>(static_cast<std::int32_t>(static_cast<DWORD>(t) - clickTick));
    };
    figures.firstStepMs = sinceClick(first);
    figures.elapsedMs = static_cast<double>(last - first);
    if (figures.steps > 1) {
        figures.paceEvents = static_cast<double>(last - first) / ((figures.steps - 1) * interval);
        figures.paceClick = sinceClick(last) / (figures.steps * interval);
    }
}

// The batches of a transmission in their order, as the program's own transmission makes them.
class BatchRecorder final : public CLockTransmission::Port {
public:
    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        batches.emplace_back(batch, action);
    }
    void ShowCountdown(int) override {}
    void ImageSent() override {}
    void Progress(int) override {}
    bool StartTimer() override { return false; }
    void WakeAt(std::int64_t) override {}
    void StopTimer() override {}
    std::int64_t NowMicroseconds() override { return 0; }
    void Sleep(int) override {}

    std::vector<std::pair<KeyBatch, KeyAction>> batches;
};

// What the key box made of the image it received, against the one expected.
void TakeImage(ProgramRunFigures& figures, const CKeyBoxEmulator& keyBox,
               const ConfigImage& expected) {
    const auto image = keyBox.Images().front();
    figures.valid = image.valid;
    figures.decodedLength = static_cast<int>(image.bytes.size());
    figures.matches =
        image.valid && std::equal(image.bytes.begin(), image.bytes.end(), expected.begin(),
                                  expected.begin() + figures.length);
    figures.typedLetter = image.typedLetter;
}

}  // namespace

unsigned QuietTimeFor(int speed) {
    return static_cast<unsigned>(std::max(300, 12 * speed));
}

ProgramRunFigures MeasureProgramRun(int contacts, int speed, bool blocking) {
    ProgramRunFigures figures;
    figures.contacts = contacts;
    figures.speed = speed;
    figures.blocking = blocking;
    Configuration settings = MakeBenchSettings(contacts);
    settings.speed = static_cast<std::uint32_t>(speed);
    ConfigImage expected{};
    figures.length = BuildConfigImage(expected, settings);
    figures.steps = CLockTransmission::StepCount(figures.length);
    figures.plannedMs = CLockTransmission::BlockingStepTime(figures.steps - 1, figures.steps);
    figures.expectedLetter = ComputeAckLetter(expected.data(), figures.length);

    gui::Program program;
    const Stopwatch start;
    if (!program.Start()) {
        figures.failure = "Orvanta.exe did not start";
        return figures;
    }
    figures.startMs = start.Ms();

    program.EnterConfiguration(settings);
    if (!program.Settle() || !gui::ResetLocks() || !program.BringToFront()) {
        figures.failure = "could not prepare the dialog";
        return figures;
    }

    CKeyBoxEmulator keyBox;
    keyBox.SetQuietTime(QuietTimeFor(speed));
    if (!keyBox.Start()) {
        figures.failure = "no low-level keyboard hook";
        return figures;
    }
    const DWORD clickTick = ::GetTickCount();
    if (blocking)
        ::PostMessageW(program.Dialog(), WM_APP_WRITE, 1, 0);
    else
        program.Click(IDC_WRITE);
    const DWORD timeoutMs = static_cast<DWORD>(3 * figures.steps * speed + 2 * figures.plannedMs) +
                            QuietTimeFor(speed) + 10000;
    if (!keyBox.WaitForImage(timeoutMs)) {
        const HWND box = program.FindBox();
        figures.failure = box != nullptr ? "the program said: " + Narrow(gui::BoxText(box))
                                         : "the key box received no image";
        keyBox.Stop();
        gui::ResetLocks();
        return figures;
    }
    // The key box types its letter after the image; the feedback field shows what arrived.
    gui::WaitUntil([&] { return !program.Text(IDC_FEEDBACK).empty(); }, 2000);
    figures.feedback = program.Text(IDC_FEEDBACK);
    keyBox.Stop();

    TakeImage(figures, keyBox, expected);
    AnalysePacing(figures, keyBox.LockEvents(), keyBox.Images().front().scrollTimes, clickTick);

    program.SystemCommand(SC_CLOSE);
    program.WaitForExit(5000);
    gui::WaitUntil([] { return true; }, 0);  // let this thread's key state catch up
    figures.locksOffAfter = AllLocksOff();
    gui::ResetLocks();
    return figures;
}

int SendBareLoop(int contacts, int speed) {
    ConfigImage image{};
    const int length = BuildConfigImage(image, MakeBenchSettings(contacts));
    BatchRecorder recorder;
    CLockTransmission(image, recorder).SendBlocking(length);
    HANDLE timer = ::CreateWaitableTimerExW(nullptr, nullptr, 0x2, TIMER_ALL_ACCESS);
    if (timer == nullptr)
        return 1;
    const std::int64_t start = CPreciseTimer::Now();
    for (std::size_t k = 0; k < recorder.batches.size(); ++k) {
        const std::int64_t waitUs =
            start + 1000 * speed * static_cast<std::int64_t>(k + 1) - CPreciseTimer::Now();
        if (waitUs > 0) {
            LARGE_INTEGER due;
            due.QuadPart = -10 * waitUs;
            ::SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
            ::WaitForSingleObject(timer, INFINITE);
        }
        SendKeyBatch(recorder.batches[k].first, recorder.batches[k].second);
    }
    ::CloseHandle(timer);
    return 0;
}

ProgramRunFigures MeasureBareRun(int contacts, int speed) {
    ProgramRunFigures figures;
    figures.contacts = contacts;
    figures.speed = speed;
    ConfigImage expected{};
    figures.length = BuildConfigImage(expected, MakeBenchSettings(contacts));
    figures.steps = CLockTransmission::StepCount(figures.length);
    figures.expectedLetter = ComputeAckLetter(expected.data(), figures.length);

    CKeyBoxEmulator keyBox;
    keyBox.SetQuietTime(QuietTimeFor(speed));
    if (!gui::ResetLocks() || !keyBox.Start()) {
        figures.failure = "a lock stays on or no keyboard hook";
        return figures;
    }
    // In a process of its own, as the program is: the key box's hook is called across.
    const std::wstring exe = gui::ProgramPath(L"TransmissionBench.exe");
    std::wstring commandLine =
        L"\"" + exe + L"\" bare-send " + std::to_wstring(contacts) + L" " + std::to_wstring(speed);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const DWORD startTick = ::GetTickCount();
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        figures.failure = "the bare loop did not start";
    } else if (!keyBox.WaitForImage(static_cast<DWORD>(3 * figures.steps * speed) +
                                    QuietTimeFor(speed) + 10000)) {
        figures.failure = "the key box received no image";
    } else {
        TakeImage(figures, keyBox, expected);
        AnalysePacing(figures, keyBox.LockEvents(), keyBox.Images().front().scrollTimes, startTick);
    }
    if (process.hProcess != nullptr) {
        ::WaitForSingleObject(process.hProcess, gui::kTimeoutMs);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    keyBox.Stop();
    gui::WaitUntil([] { return true; }, 0);  // let this thread's key state catch up
    figures.locksOffAfter = AllLocksOff();
    gui::ResetLocks();
    return figures;
}
