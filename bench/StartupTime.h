// How long the program takes from its start until its main dialog is visible, against a bare
// program that shows the same dialog template, started alternately in one run.
#pragma once

#include <string>

#include "Spread.h"

struct StartupFigures {
    int rounds = 0;
    Spread programMs;  // Orvanta.exe
    Spread bareMs;     // BareDialog.exe
    std::string failure;
};

StartupFigures MeasureStartup(int rounds);
