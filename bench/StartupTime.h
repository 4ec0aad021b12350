// How long programs take from their start until their main dialog is visible: the program
// against a bare program that shows the same dialog template, started in turn in one run.
#pragma once

#include <string>
#include <vector>

#include "Spread.h"

struct StartupFigures {
    int rounds = 0;
    std::vector<std::wstring> programs;  // file names next to the benchmark
    std::vector<Spread> ms;              // one per program
    std::string failure;
};

// Orvanta.exe and BareDialog.exe, then any others named, each started once per round.
StartupFigures MeasureStartup(int rounds, std::vector<std::wstring> others = {});
