#include "StartupTime.h"

#include <windows.h>

#include <string>
#include <vector>

#include "gui/GuiDriver.h"

namespace {

// Starts the program, returns the milliseconds until its dialog is visible (negative when it
// did not show within the time), and closes it again.
double TimeToDialog(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const Stopwatch start;
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        return -1;
    }
    HWND dialog = nullptr;
    const ULONGLONG deadline = ::GetTickCount64() + gui::kTimeoutMs;
    while ((dialog = gui::FindDialogOf(process.dwProcessId)) == nullptr &&
           ::GetTickCount64() < deadline) {
        ::WaitForSingleObject(process.hProcess, 1);  // polls another process's window
    }
    const double shownMs = start.Ms();
    if (dialog != nullptr)
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (::WaitForSingleObject(process.hProcess, gui::kTimeoutMs) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    if (dialog == nullptr)
        return -1;
    return shownMs;
}

}  // namespace

StartupFigures MeasureStartup(int rounds, std::vector<std::wstring> others) {
    StartupFigures figures;
    figures.rounds = rounds;
    figures.programs = {L"Orvanta.exe", L"BareDialog.exe"};
    figures.programs.insert(figures.programs.end(), others.begin(), others.end());
    const std::size_t count = figures.programs.size();
    std::vector<std::vector<double>> times(count);
    // One start of each before measuring, so that all find their files in the cache.
    for (const std::wstring& name : figures.programs)
        TimeToDialog(gui::ProgramPath(name));
    for (int round = 0; round < rounds; ++round) {
        // Each round begins with another program, so none always follows the same one.
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t which = (static_cast<std::size_t>(round) + i) % count;
            const double ms = TimeToDialog(gui::ProgramPath(figures.programs[which]));
            if (ms < 0) {
                figures.failure = "a program showed no dialog";
                return figures;
            }
            times[which].push_back(ms);
        }
    }
    for (auto& series : times)
        figures.ms.push_back(SpreadOf(series));
    return figures;
}
