// Figures for the lock-LED transmission: how closely the real program keeps the pace the key
// box reads at (timed and blocking form) against the plan and against a bare SendInput loop,
// what a tick costs the user-interface thread against a bare SendInput, how fast the program
// starts against a bare dialog program, and its size. It prints tables, then each figure
// against its floor, and fails only when a run could not be measured or the key box did not
// get the image intact.
//   TransmissionBench.exe [speed ms ...]     (default: 1 2 5 10 50)
//   TransmissionBench.exe log-open [lines [rounds]]   the key maps of a long log, opened
//   TransmissionBench.exe startup [rounds [other.exe ...]]   the start-up figures alone, with
//                                            other programs next to it for comparison
//   TransmissionBench.exe pace contacts speed [rounds]   the program's timed transmission and
//                                            the bare loop in turn, each figure with its median
//   TransmissionBench.exe bare-send contacts speed   the bare loop, started by the bench
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

#include "gui/GuiDriver.h"
#include "ProgramRun.h"
#include "LogOpen.h"
#include "StartupTime.h"
#include "TickCost.h"

namespace {

constexpr int kContactCounts[] = {4, 24};  // a 43-byte and a 109-byte image
// A tick's cost does not depend on the interval: the short one keeps the run short.
constexpr int kTickCostSpeed = 10;
constexpr int kStartupRounds = 31;
// Below this speed the bare loop shows what the key box's hook leaves of the pace.
constexpr int kBareBelowSpeed = 10;
constexpr double kSizeBudget = 300 * 1024;  // bytes the program may take

std::string Letter(int letter) {
    return letter == 0 ? std::string("-") : std::string(1, static_cast<char>(letter));
}

std::string Feedback(const std::wstring& text) {
    std::string narrow = "\"";
    for (wchar_t c : text)
        narrow += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return narrow + "\"";
}

void PrintProgramHeader(const char* title) {
    std::printf(
        "\n%s\n"
        "  pace: elapsed / expected (1.000 = exact); events: first lock event to the trailer's\n"
        "  release over (steps-1) intervals; click: click to that release over steps intervals\n"
        "  <.5 / >1.5: key batches closer than half an interval / further than one and a half\n"
        "  after the one before; image: what the key box decoded; letter: typed / expected\n"
        "bytes speed steps  pace:events click  1st step  Scroll gaps ms min/med/max  "
        "batch gaps ms min/med/max  batches <.5 >1.5  image            letter  start ms\n",
        title);
}

void PrintProgramRow(const ProgramRunFigures& f) {
    if (!f.failure.empty()) {
        std::printf("%5d %5d %5d  not measured: %s\n", f.length, f.speed, f.steps,
                    f.failure.c_str());
        return;
    }
    std::printf(
        "%5d %5d %5d  %11.4f %5.4f  %5.0f ms  %6.0f /%6.1f /%6.0f     %6.0f /%6.1f /%6.0f   "
        "%7d %3d %4d  %-16s %s/%s  %7.0f\n",
        f.length, f.speed, f.steps, f.paceEvents, f.paceClick, f.firstStepMs, f.scrollGapsMs.min,
        f.scrollGapsMs.median, f.scrollGapsMs.max, f.stepGapsMs.min, f.stepGapsMs.median,
        f.stepGapsMs.max, f.batches, f.shortGaps, f.longGaps,
        (std::string(f.valid ? "valid " : "INVALID ") + std::to_string(f.decodedLength) +
         (f.matches ? " same" : " DIFFERS"))
            .c_str(),
        Letter(f.typedLetter).c_str(), Letter(f.expectedLetter).c_str(), f.startMs);
    std::printf("%17s feedback field after: %s; locks off after: %s\n", "",
                Feedback(f.feedback).c_str(), f.locksOffAfter ? "yes" : "NO");
}

void PrintBlockingRow(const ProgramRunFigures& f) {
    std::printf("\nOrvanta.exe, blocking transmission (write request with wParam 1)\n");
    if (!f.failure.empty()) {
        std::printf("%5d bytes  not measured: %s\n", f.length, f.failure.c_str());
        return;
    }
    std::printf(
        "%5d bytes: first lock event to the trailer's release %.0f ms, planned pauses %.0f ms, "
        "ratio %.4f; Scroll gaps ms min/med/max %.0f/%.1f/%.0f; image %s %d %s; letter %s/%s\n",
        f.length, f.elapsedMs, f.plannedMs, f.elapsedMs / f.plannedMs, f.scrollGapsMs.min,
        f.scrollGapsMs.median, f.scrollGapsMs.max, f.valid ? "valid" : "INVALID", f.decodedLength,
        f.matches ? "same" : "DIFFERS", Letter(f.typedLetter).c_str(),
        Letter(f.expectedLetter).c_str());
}

void PrintTickHeader() {
    std::printf(
        "\nOne tick in this process: the program's CLockTransmission::Tick (SendInput, feedback\n"
        "rewrite by EM_SETSEL, EM_SCROLLCARET, EM_REPLACESEL, the next step's time noted) on the\n"
        "program's precise timer, against a bare SendInput of the same batches woken the same\n"
        "way at the same pace; besides: the tick less its own SendInput. The loop sets the\n"
        "waitable timer when it falls idle, outside the tick. At 1 ms the pace of the ticks,\n"
        "with the key box's hook and without one, shows what the hook leaves of the interval\n"
        "bytes speed key box ticks  cost us median    p90     max  besides med  rewrite med  "
        "bare med/p90  timer interval ms min/med/max   pace  1st tick  image/letter\n");
}

void PrintTickRow(const TickCostFigures& f) {
    if (!f.failure.empty()) {
        std::printf("%5d %5d %-7s  not measured: %s\n", f.length, f.speed,
                    f.keyBox ? "hooked" : "none", f.failure.c_str());
        return;
    }
    std::string check = "-";
    if (f.keyBox) {
        check = std::string(f.valid ? "same" : "DIFFERS") + " " + Letter(f.typedLetter) + "/" +
                Letter(f.expectedLetter) + (f.letterArrived ? " arrived" : " NOT ARRIVED");
    }
    std::printf(
        "%5d %5d %-7s %5d  %14.1f %6.1f %7.1f  %11.1f  %11.1f  %5.1f/%6.1f  %6.1f /%6.1f /%6.1f"
        "          %6.4f  %5.1f ms  %s%s\n",
        f.length, f.speed, f.keyBox ? "hooked" : "none", f.ticks, f.costUs.median, f.costUs.p90,
        f.costUs.max, f.besidesSendUs.median, f.rewriteCostUs.median, f.bareCostUs.median,
        f.bareCostUs.p90, f.intervalMs.min, f.intervalMs.median, f.intervalMs.max, f.pace,
        f.firstTickMs, check.c_str(), f.locksOffAfter ? "" : "  LOCKS LEFT ON");
}

bool Sound(const ProgramRunFigures& f) {
    return f.failure.empty() && f.matches && f.typedLetter == f.expectedLetter &&
           f.batches == f.steps;
}

bool Sound(const TickCostFigures& f) {
    return f.failure.empty() && f.ticks > 0 && (!f.keyBox || (f.valid && f.letterArrived));
}

StartupFigures PrintStartup(int rounds, std::vector<std::wstring> others = {}) {
    const StartupFigures startup = MeasureStartup(rounds, std::move(others));
    std::printf("\nStart until the main dialog is visible, %d rounds, in turn\n", startup.rounds);
    if (!startup.failure.empty()) {
        std::printf("  not measured: %s\n", startup.failure.c_str());
        return startup;
    }
    for (std::size_t i = 0; i < startup.ms.size(); ++i) {
        const Spread& ms = startup.ms[i];
        std::printf("  %-22ls median %6.1f ms  min %6.1f  max %6.1f  median / bare's %.3f\n",
                    startup.programs[i].c_str(), ms.median, ms.min, ms.max,
                    ms.median / startup.ms[1].median);
    }
    return startup;
}

// One transmission after the other, the program's and the bare loop's in turn, so that the
// machine's slower and faster spells fall on both alike.
int PrintPaceRounds(int contacts, int speed, int rounds) {
    std::printf(
        "\n%d contacts at %d ms, %d rounds in turn: pace (events), most and last "
        "lateness ms\n",
        contacts, speed, rounds);
    std::vector<double> program;
    std::vector<double> bare;
    bool sound = true;
    for (int round = 0; round < rounds; ++round) {
        const ProgramRunFigures p = MeasureProgramRun(contacts, speed);
        const ProgramRunFigures b = MeasureBareRun(contacts, speed);
        sound = sound && Sound(p) && b.failure.empty() && b.matches;
        if (!sound) {
            PrintProgramRow(p);
            PrintProgramRow(b);
            break;
        }
        program.push_back(p.paceEvents);
        bare.push_back(b.paceEvents);
        std::printf("  program %.4f  %5.0f %5.0f   bare loop %.4f  %5.0f %5.0f\n", p.paceEvents,
                    p.mostLateMs, p.lastLateMs, b.paceEvents, b.mostLateMs, b.lastLateMs);
    }
    if (!sound)
        return 1;
    const Spread p = SpreadOf(program);
    const Spread b = SpreadOf(bare);
    std::printf("  median: program %.4f (max %.4f), bare loop %.4f (max %.4f)\n", p.median, p.max,
                b.median, b.max);
    return 0;
}

double FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow;
}

// Each figure against its floor: the plan, the bare loop, a bare SendInput, the bare dialog,
// the size the program may take.
void PrintSummary(const std::vector<ProgramRunFigures>& runs,
                  const std::vector<ProgramRunFigures>& bareRuns,
                  const std::vector<TickCostFigures>& ticks,
                  const std::vector<TickCostFigures>& fastest, const StartupFigures& startup) {
    std::printf(
        "\nAgainst the floors\n  pace (elapsed / planned, first lock event to the last):\n");
    for (const ProgramRunFigures& run : runs) {
        if (!run.failure.empty())
            continue;
        std::printf("    %3d bytes at %3d ms: %.4f", run.length, run.speed, run.paceEvents);
        for (const ProgramRunFigures& bare : bareRuns) {
            if (bare.failure.empty() && bare.length == run.length && bare.speed == run.speed) {
                std::printf("   bare loop %.4f, program / bare loop %.4f", bare.paceEvents,
                            run.paceEvents / bare.paceEvents);
            }
        }
        std::printf("\n");
    }
    for (const TickCostFigures& tick : ticks) {
        if (tick.failure.empty() && tick.bareCostUs.median > 0) {
            std::printf("  tick cost, %3d bytes, %-6s key box: %.3f of a bare SendInput (median)\n",
                        tick.length, tick.keyBox ? "hooked" : "no",
                        tick.costUs.median / tick.bareCostUs.median);
        }
    }
    for (const TickCostFigures& tick : fastest) {
        if (tick.failure.empty()) {
            std::printf("  pace of the ticks at %d ms in this process, %-6s key box: %.4f\n",
                        tick.speed, tick.keyBox ? "hooked" : "no", tick.pace);
        }
    }
    if (startup.failure.empty() && startup.ms.size() >= 2) {
        std::printf("  start-up: %.3f of the bare dialog's (median of %d)\n",
                    startup.ms[0].median / startup.ms[1].median, startup.rounds);
    }
    const double bytes = FileBytes(gui::ProgramPath(L"Orvanta.exe"));
    std::printf("  Orvanta.exe: %.0f bytes, %.3f of %.0f\n", bytes, bytes / kSizeBudget,
                kSizeBudget);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // rows appear while the next run goes out
    if (argc == 4 && std::string(argv[1]) == "bare-send")
        return SendBareLoop(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 4 && std::string(argv[1]) == "pace")
        return PrintPaceRounds(std::atoi(argv[2]), std::atoi(argv[3]),
                               argc >= 5 ? std::atoi(argv[4]) : 9);
    if (argc >= 2 && std::string(argv[1]) == "startup") {
        std::vector<std::wstring> others;
        for (int i = 3; i < argc; ++i)
            others.emplace_back(argv[i], argv[i] + std::strlen(argv[i]));
        return PrintStartup(argc >= 3 ? std::atoi(argv[2]) : kStartupRounds, others).failure.empty()
                   ? 0
                   : 1;
    }
    if (argc >= 2 && std::string(argv[1]) == "log-open") {
        const LogOpenFigures log = MeasureLogOpen(argc >= 3 ? std::atoi(argv[2]) : 100000,
                                                  argc >= 4 ? std::atoi(argv[3]) : 9);
        std::printf("Key maps of a %d-line log (%.1f MB), %zu rounds\n", log.lines, log.megabytes,
                    log.openMs.count);
        if (!log.failure.empty()) {
            std::printf("  not measured: %s\n", log.failure.c_str());
            return 1;
        }
        std::printf(
            "  system menu command until every line is listed: median %.0f ms, max %.0f ms\n",
            log.openMs.median, log.openMs.max);
        std::printf("  the text read into lines, in this process: median %.0f ms, max %.0f ms\n",
                    log.readMs.median, log.readMs.max);
        return 0;
    }
    std::vector<int> speeds;
    for (int i = 1; i < argc; ++i) {
        const int speed = std::atoi(argv[i]);
        if (speed < 1 || speed > 500) {
            std::fprintf(stderr, "usage: TransmissionBench [speed ms 1..500 ...]\n");
            return 2;
        }
        speeds.push_back(speed);
    }
    if (speeds.empty())
        speeds = {1, 2, 5, 10, 50};

    bool sound = true;
    std::vector<ProgramRunFigures> runs;
    PrintProgramHeader("Orvanta.exe, timed transmission as the emulated key box saw it");
    for (int speed : speeds) {
        for (int contacts : kContactCounts) {
            runs.push_back(MeasureProgramRun(contacts, speed));
            PrintProgramRow(runs.back());
            sound = sound && Sound(runs.back());
        }
    }
    std::vector<ProgramRunFigures> bareRuns;
    PrintProgramHeader(
        "A bare loop in a process of its own, each batch by SendInput at its planned time on a\n"
        "high-resolution timer, to the same key box: the floor for the pace");
    for (int speed : speeds) {
        for (int contacts : kContactCounts) {
            if (speed >= kBareBelowSpeed)
                continue;
            bareRuns.push_back(MeasureBareRun(contacts, speed));
            PrintProgramRow(bareRuns.back());
            sound = sound && bareRuns.back().failure.empty() && bareRuns.back().matches;
        }
    }

    const ProgramRunFigures blocking = MeasureProgramRun(kContactCounts[0], 50, true);
    PrintBlockingRow(blocking);
    sound = sound && Sound(blocking);

    std::vector<TickCostFigures> ticks;
    PrintTickHeader();
    for (int contacts : kContactCounts) {
        ticks.push_back(MeasureTickCost(contacts, kTickCostSpeed, true));
        PrintTickRow(ticks.back());
        sound = sound && Sound(ticks.back());
    }
    // Without a low-level hook listening, SendInput does not wait for one.
    ticks.push_back(MeasureTickCost(kContactCounts[0], kTickCostSpeed, false));
    PrintTickRow(ticks.back());
    sound = sound && Sound(ticks.back());
    std::vector<TickCostFigures> fastest;
    for (bool hooked : {true, false}) {
        fastest.push_back(MeasureTickCost(kContactCounts[0], 1, hooked));
        PrintTickRow(fastest.back());
        sound = sound && Sound(fastest.back());
    }

    const StartupFigures startup = PrintStartup(kStartupRounds);
    sound = startup.failure.empty() && sound;
    PrintSummary(runs, bareRuns, ticks, fastest, startup);

    if (!sound)
        std::printf("\nSome runs were not measured or not received intact (see above).\n");
    return sound ? 0 : 1;
}
