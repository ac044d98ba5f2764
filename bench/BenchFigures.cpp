#include "BenchFigures.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

double MicrosecondsPerCall(int calls, const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i) work();
    QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) / calls;
}

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '"' || c == '\\') escaped.push_back('\\');
        escaped.push_back(c);
    }
    return escaped;
}

}  // namespace

Pair InterleavedMedians(int calls, const std::function<void()>& work, const std::function<void()>& floor) {
    std::vector<double> measured, floors;
    for (int call = 0; call < calls; ++call) {
        measured.push_back(MicrosecondsPerCall(1, work));
        floors.push_back(MicrosecondsPerCall(1, floor));
    }
    return {Median(measured), Median(floors)};
}

Pair AlternatingRunMedians(int turns, int calls, const std::function<void()>& setUpWork,
                           const std::function<void()>& work, const std::function<void()>& setUpFloor,
                           const std::function<void()>& floor) {
    std::vector<double> measured, floors;
    for (int turn = 0; turn < turns; ++turn) {
        setUpWork();
        for (int call = 0; call < calls; ++call) measured.push_back(MicrosecondsPerCall(1, work));
        setUpFloor();
        for (int call = 0; call < calls; ++call) floors.push_back(MicrosecondsPerCall(1, floor));
    }
    return {Median(measured), Median(floors)};
}

Figure MicrosecondFigure(const std::string& name, const Pair& times, const std::string& floorName, double ceiling) {
    char goal[32];
    snprintf(goal, sizeof(goal), "<= %.1fx", ceiling);
    Figure f;
    f.name = name;
    f.value = times.measured;
    f.unit = "us";
    f.floorName = floorName;
    f.floor = times.floor;
    f.ratio = f.value / f.floor;
    f.goal = goal;
    f.met = f.ratio <= ceiling;
    return f;
}

bool WantsJson(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--json") == 0) return true;
    return false;
}

void PrintFigure(const Figure& f, bool json) {
    if (json) {
        printf(
            "{\"name\":\"%s\",\"value\":%.6g,\"unit\":\"%s\",\"floorName\":\"%s\",\"floor\":%.6g,\"ratio\":%.4g,"
            "\"goal\":\"%s\",\"met\":%s,\"note\":\"%s\"}\n",
            Escaped(f.name).c_str(), f.value, Escaped(f.unit).c_str(), Escaped(f.floorName).c_str(), f.floor, f.ratio,
            Escaped(f.goal).c_str(),
            !f.judged ? "null"
            : f.met   ? "true"
                      : "false",
            Escaped(f.note).c_str());
    } else {
        printf("%s: %.4g %s; floor (%s) %.4g %s; ratio %.2f, goal %s%s%s%s\n", f.name.c_str(), f.value, f.unit.c_str(),
               f.floorName.c_str(), f.floor, f.unit.c_str(), f.ratio, f.goal.c_str(),
               !f.judged ? ""
               : f.met   ? " (met)"
                         : " (not met)",
               f.note.empty() ? "" : "; ", f.note.c_str());
    }
    fflush(stdout);
}
