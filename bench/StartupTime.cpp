#include "StartupTime.h"

#include <windows.h>

#include <vector>

#include "GuiDriver.h"

namespace {

// Starts the program, returns the milliseconds until its dialog is visible (negative when it
// did not show within the time), and closes it again.
double TimeToDialog(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    LARGE_INTEGER frequency, start, shown;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
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
    ::QueryPerformanceCounter(&shown);
    if (dialog != nullptr)
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (::WaitForSingleObject(process.hProcess, gui::kTimeoutMs) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    if (dialog == nullptr)
        return -1;
    return static_cast<double>(shown.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

StartupFigures MeasureStartup(int rounds) {
    StartupFigures figures;
    figures.rounds = rounds;
    const std::wstring programs[] = {gui::ProgramPath(), gui::ProgramPath(L"BareDialog.exe")};
    std::vector<double> times[2];
    // One start of each before measuring, so both find the files in the cache.
    for (const std::wstring& exe : programs)
        TimeToDialog(exe);
    for (int round = 0; round < rounds; ++round) {
        // Alternately first, so neither always follows the other.
        for (int i = 0; i < 2; ++i) {
            const int which = (round + i) % 2;
            const double ms = TimeToDialog(programs[which]);
            if (ms < 0) {
                figures.failure =
                    which == 0 ? "Orvanta.exe showed no dialog" : "BareDialog.exe showed no dialog";
                return figures;
            }
            times[which].push_back(ms);
        }
    }
    figures.programMs = SpreadOf(times[0]);
    figures.bareMs = SpreadOf(times[1]);
    return figures;
}
