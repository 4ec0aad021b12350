// Several processes take serial numbers from one counter at once, as the benches of a workshop
// do over their shared folder, each confirming every number as a key box would: every number
// must be taken exactly once. Started without arguments it starts the takers (itself, with the
// taker's number), checks the numbers they took and prints the figures.
#include <windows.h>

#include <process.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/SerialCounter.h"
#include "settings/SerialFile_win.h"

constexpr int kProcesses = 8, kTakesEach = 150, kFirst = 1000;

int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH];
    const std::wstring exe(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    const auto path = [&](const std::wstring& name) { return exe + L"." + name + L".txt"; };
    if (argc == 2) {  // taker argv[1]: the numbers it takes, one a line in a list of its own
        CSerialFile file;
        CSerialCounter counter(file);
        counter.Use(path(L"counter"));
        std::ofstream list(path(argv[1]).c_str());
        for (int took = 0, attempt = 0; took < kTakesEach && attempt < 2 * kTakesEach; ++attempt) {
            if (const auto number = counter.Take().serial)
                list << *number << "\n", counter.Confirm(), ++took;
        }
        return 0;
    }
    ::DeleteFileW(path(L"counter").c_str());
    if (!MakeCounter(path(L"counter"), kFirst).empty())
        return 1;
    std::vector<HANDLE> takers;
    for (int p = 0; p < kProcesses; ++p) {
        const std::wstring quoted = L"\"" + exe + L"\"", number = std::to_wstring(p);
        takers.push_back(reinterpret_cast<HANDLE>(
            ::_wspawnl(_P_NOWAIT, exe.c_str(), quoted.c_str(), number.c_str(), nullptr)));
    }
    ::WaitForMultipleObjects(kProcesses, takers.data(), TRUE, 60000);
    std::vector<int> taken;
    for (int p = 0; p < kProcesses; ++p) {
        std::ifstream list(path(std::to_wstring(p)).c_str());
        taken.insert(taken.end(), std::istream_iterator<int>(list), {});
    }
    std::sort(taken.begin(), taken.end());
    const auto different = std::unique(taken.begin(), taken.end()) - taken.begin();
    int holds = 0;
    std::ifstream(path(L"counter").c_str()) >> holds;
    std::printf("%d processes took %zu numbers, %td different, %td repeats; the counter holds %d\n",
                kProcesses, taken.size(), different, std::ssize(taken) - different, holds);
    // Every number from the first to the one before the counter's, each once.
    const int all = kProcesses * kTakesEach;
    return std::ssize(taken) == all && different == all && taken.front() == kFirst &&
                   taken.back() == kFirst + all - 1 && holds == kFirst + all
               ? 0
               : 1;
}
