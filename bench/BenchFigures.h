// What every benchmark program shares: a clock, medians of rounds that alternate the measured work with its
// floor, and the printing of a figure beside its floor (a table line, or a JSON line with --json).
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Microseconds per call of `work`, run `calls` times.
double MicrosecondsPerCall(int calls, const std::function<void()>& work);

struct Pair {
    double measured;  // median microseconds of one call
    double floor;
};
// Calls the work and its floor by turns, each timed alone, so that both meet the same load on a shared machine,
// and answers the median microseconds of a call of each (a burst of other work moves a median little).
Pair InterleavedMedians(int calls, const std::function<void()>& work, const std::function<void()>& floor);
// The same for a work and a floor that need one object set up each its own way: runs of `calls` calls by turns,
// `turns` of each, every run after its untimed setup; the medians of all single calls.
Pair AlternatingRunMedians(int turns, int calls, const std::function<void()>& setUpWork,
                           const std::function<void()>& work, const std::function<void()>& setUpFloor,
                           const std::function<void()>& floor);

struct Figure {
    std::string name;
    double value = 0;
    std::string unit;
    std::string floorName;
    double floor = 0;
    // value / floor, or floor / value for rates (higher is better): whichever the goal speaks of.
    double ratio = 0;
    std::string goal;    // e.g. "<= 1.2x"
    bool judged = true;  // false for figures that are only shown (growth)
    bool met = false;
    std::string note;
};

// A time in microseconds beside its floor, met when it is at most `ceiling` times the floor.
Figure MicrosecondFigure(const std::string& name, const Pair& times, const std::string& floorName, double ceiling);

// Prints one figure: a readable line, or one JSON object a line (for tools/bench-report.py).
void PrintFigure(const Figure& figure, bool json);
// True when the command line asks for JSON lines.
bool WantsJson(int argc, char** argv);
