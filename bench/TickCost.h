// What one tick of the timed transmission costs the user-interface thread: the same work the
// dialog does per tick, timed in this process over a whole transmission on the program's own
// precise timer.
#pragma once

#include <string>

#include "Spread.h"

struct TickCostFigures {
    int contacts = 0;
    int speed = 0;
    int length = 0;
    bool keyBox = false;  // the emulated key box's hook was listening
    std::string failure;

    int ticks = 0;           // ticks that did a step
    Spread costUs;           // per tick, microseconds
    Spread besidesSendUs;    // ... less the tick's own SendInput
    Spread bareCostUs;       // the same batches by SendInput alone, woken the same way
    Spread rewriteCostUs;    // ... of the ticks that also rewrote the feedback field
    Spread intervalMs;       // between the starts of consecutive ticks
    double firstTickMs = 0;  // the start to the first tick
    double pace = 0;         // first tick to the last over the intervals between them
    bool valid = false;      // with the key box: it decoded the image that was sent
    int expectedLetter = 0;
    int typedLetter = 0;
    bool letterArrived = false;  // ... and it reached the focused edit control
    bool locksOffAfter = false;
};

TickCostFigures MeasureTickCost(int contacts, int speed, bool withKeyBox);
