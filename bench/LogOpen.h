// How long the key maps of a long production log take to open in the real program: from the
// system menu command until the dialog lists every line; and, in this process, how long the
// log's text takes to read.
#pragma once

#include <string>

#include "Spread.h"

struct LogOpenFigures {
    int lines = 0;
    double megabytes = 0;
    Spread openMs;        // the command until the list holds every line
    Spread readMs;        // the text read into lines, in this process
    std::string failure;  // why it could not be measured; empty when it was
};

LogOpenFigures MeasureLogOpen(int lines, int rounds);
