// One transmission by the real Orvanta.exe, driven from this process as a user would drive
// it, and watched by the emulated key box: how closely the program kept the pace. The timed
// form is what "Schreiben" starts; the blocking form is a write request with wParam 1.
#pragma once

#include <cstdint>
#include <string>

#include "Spread.h"

struct ProgramRunFigures {
    int contacts = 0;
    int speed = 0;  // ms per timer tick
    bool blocking = false;
    int length = 0;       // image bytes
    int steps = 0;        // ticks that send something: 8 x length + 4
    std::string failure;  // why the run could not be measured; empty when it was

    double startMs = 0;  // process start until the main dialog answered
    // Elapsed time over the time the steps should take: first lock event to the trailer's
    // release (steps - 1 intervals), and the click to that release (steps intervals).
    double paceEvents = 0;
    double paceClick = 0;
    double firstStepMs = 0;  // click to the preamble's first event (one interval is right)
    // Blocking form: first lock event to the trailer's release, against the plan.
    double elapsedMs = 0;
    double plannedMs = 0;
    Spread scrollGapsMs;  // between Scroll Lock changes: two intervals is right
    Spread stepGapsMs;    // between key batches: one interval is right
    int batches = 0;      // key batches the key box saw: `steps` is right
    int shortGaps = 0;    // batches less than half an interval after the one before
    int longGaps = 0;     // more than one and a half intervals after it
    // How far the batches fell behind the plan counted from the first one: the most, and at
    // the last batch.
    double mostLateMs = 0;
    double lastLateMs = 0;

    bool valid = false;  // the key box decoded a whole image
    int decodedLength = 0;
    bool matches = false;  // ... and it is the image the program should have built
    int expectedLetter = 0;
    int typedLetter = 0;    // what the key box typed back (0: nothing)
    std::wstring feedback;  // the feedback field afterwards
    bool locksOffAfter = false;
};

ProgramRunFigures MeasureProgramRun(int contacts, int speed, bool blocking = false);

// The floor for the timed form's pace: the same batches from a bare loop in a process of its
// own, each sent by SendInput at its planned time on a high-resolution timer, to the same key
// box. SendBareLoop is that process: TransmissionBench.exe bare-send <contacts> <speed>.
ProgramRunFigures MeasureBareRun(int contacts, int speed);
int SendBareLoop(int contacts, int speed);

// The emulated key box ends an image after this much quiet: well above the two intervals the
// data locks stand still.
unsigned QuietTimeFor(int speed);
