// Several processes take serial numbers from one counter at once, as the benches of a workshop
// do over their shared folder, each confirming every number as a key box would: every number
// must be taken exactly once. Started without arguments it starts the takers (itself, with
// "take"), checks what they took and prints the figures.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "settings/SerialCounter.h"
#include "settings/SerialFile_win.h"

namespace {

constexpr int kProcesses = 8;
constexpr int kTakesEach = 150;
constexpr std::int32_t kFirst = 1000;

// One bench: kTakesEach numbers, one a line in `out`, then the count of takes refused (none is
// expected: the others hold the counter for a few milliseconds at a time).
int Taker(const std::wstring& counterPath, const std::wstring& out) {
    CSerialFile file;
    CSerialCounter counter(file);
    counter.Use(counterPath);
    std::ofstream taken(out.c_str());
    int refused = 0;
    for (int i = 0; i < kTakesEach && refused < kTakesEach;) {
        const CSerialCounter::Taken number = counter.Take();
        refused += number.serial ? 0 : 1;
        if (number.serial)
            taken << *number.serial << "\n", counter.Confirm(), ++i;
    }
    taken << "refused " << refused << "\n";
    return refused < kTakesEach ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"take")
        return Taker(argv[2], argv[3]);
    wchar_t self[MAX_PATH];
    const std::wstring exe(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    const std::wstring counterPath = folder + L"stress counter.txt";
    ::DeleteFileW(counterPath.c_str());
    if (!MakeCounter(counterPath, kFirst).empty())
        return 1;
    const ULONGLONG start = ::GetTickCount64();
    std::vector<HANDLE> takers;
    for (int p = 0; p < kProcesses; ++p) {
        std::wstring line = L"\"" + exe + L"\" take \"" + counterPath + L"\" \"" + folder +
                            L"stress " + std::to_wstring(p) + L".txt\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process))
            return 1;
        ::CloseHandle(process.hThread);
        takers.push_back(process.hProcess);
    }
    ::WaitForMultipleObjects(kProcesses, takers.data(), TRUE, 60000);
    const ULONGLONG ms = ::GetTickCount64() - start;
    bool ok = true;
    std::map<int, int> counts;  // number: times taken
    int refused = 0;
    for (int p = 0; p < kProcesses; ++p) {
        DWORD code = 1;
        ok = ok && ::GetExitCodeProcess(takers[p], &code) && code == 0;
        std::ifstream taken((folder + L"stress " + std::to_wstring(p) + L".txt").c_str());
        std::string word;
        for (int number; taken >> word && word != "refused";)
            number = std::stoi(word), ++counts[number];
        int more = 0;
        taken >> more;
        refused += more;
    }
    const int all = kProcesses * kTakesEach;
    int repeats = 0, taken = 0;
    for (const auto& [number, count] : counts)
        repeats += count - 1, taken += count;
    std::ifstream counter(counterPath.c_str());
    std::string holds;
    std::getline(counter, holds);
    const bool whole = counts.size() == static_cast<size_t>(all) &&
                       counts.begin()->first == kFirst &&
                       counts.rbegin()->first == kFirst + all - 1;
    std::printf(
        "%d processes took %d numbers (%d different, %d repeats) in %llu ms, %d takes "
        "refused; the counter holds %s\n",
        kProcesses, taken, static_cast<int>(counts.size()), repeats, ms, refused, holds.c_str());
    return ok && whole && repeats == 0 && holds == std::to_string(kFirst + all) ? 0 : 1;
}
