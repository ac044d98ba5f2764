// The notice list's growth, linked directly from the item's code (link/MessageList.h): sorting 10, 1,000 and
// 100,000 notices against n log n, and paging through 100,000 against paging through 1,000.
//   list_bench.exe [--json]
#include "BenchFigures.h"
#include "link/MessageList.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

// n notices with random times; building them is not measured.
void Fill(MessageList& list, int n, std::mt19937& random) {
    list.Clear();
    for (int i = 0; i < n; ++i) {
        MessageEntry* entry = new MessageEntry();
        const std::wstring key = L"k" + std::to_wstring(i);
        entry->key.Assign(key.data(), key.size());
        const unsigned long long time = (static_cast<unsigned long long>(random()) << 32) | random();
        entry->time.dwLowDateTime = static_cast<DWORD>(time);
        entry->time.dwHighDateTime = static_cast<DWORD>(time >> 32) & 0x7FFFFFFF;
        list.Append(entry);
    }
}

// Microseconds for one sort of n notices, the median of `rounds` fresh lists.
double SortMicroseconds(int n, int rounds, std::mt19937& random) {
    std::vector<double> times;
    MessageList list;
    for (int round = 0; round < rounds; ++round) {
        Fill(list, n, random);
        times.push_back(MicrosecondsPerCall(1, [&] { list.SortByTime(); }));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Microseconds for one step of paging to the end and back, reading the shown notice at each step as a paint does.
double PagingStepMicroseconds(int n, std::mt19937& random) {
    MessageList list;
    Fill(list, n, random);
    list.SortByTime();
    size_t touched = 0;
    const int passes = 1 + 200000 / n;
    const double perPass = MicrosecondsPerCall(passes, [&] {
        for (int i = 1; i < n; ++i) {
            list.Next(false);
            touched += list.Current()->key.Length();
        }
        for (int i = 1; i < n; ++i) {
            list.Previous(false);
            touched += list.Current()->key.Length();
        }
    });
    return touched ? perPass / (2.0 * (n - 1)) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool json = WantsJson(argc, argv);
    std::mt19937 random(20240517);
    const struct {
        int n;
        int rounds;
    } sizes[] = {{10, 2001}, {1000, 101}, {100000, 5}};
    double perNLogN[3];
    double micros[3];
    for (int i = 0; i < 3; ++i) {
        micros[i] = SortMicroseconds(sizes[i].n, sizes[i].rounds, random);
        perNLogN[i] = micros[i] * 1000 / (sizes[i].n * std::log2(static_cast<double>(sizes[i].n)));
    }
    for (int i = 0; i < 3; ++i) {
        Figure f;
        f.name = "sort of " + std::to_string(sizes[i].n) + " notices by time";
        f.value = micros[i];
        f.unit = "us";
        f.floorName = "n log2 n at the 1,000-notice rate (" + std::to_string(perNLogN[1]).substr(0, 5) + " ns each)";
        f.floor = perNLogN[1] * sizes[i].n * std::log2(static_cast<double>(sizes[i].n)) / 1000;
        f.ratio = f.value / f.floor;
        f.goal = "growth shown: n log n is 1x";
        f.judged = false;
        f.note = std::to_string(perNLogN[i]).substr(0, 5) + " ns per n log2 n" +
                 (sizes[i].n > 10000 ? "; 100,000 notices outgrow the caches: each comparison reads two notices "
                                       "from scattered heap blocks"
                                     : "");
        PrintFigure(f, json);
    }
    const double small = PagingStepMicroseconds(1000, random);
    const double large = PagingStepMicroseconds(100000, random);
    Figure f;
    f.name = "paging through 100,000 notices, per step";
    f.value = large * 1000;
    f.unit = "ns";
    f.floorName = "a step through 1,000 notices";
    f.floor = small * 1000;
    f.ratio = large / small;
    f.goal = "growth shown: constant per step is 1x";
    f.judged = false;
    f.note =
        "to the end and back, reading the shown notice at each step (a heap block each, outside the caches "
        "at 100,000); " +
        std::to_string(large * 2 * 99999 / 1000).substr(0, 6) + " ms for the whole way";
    PrintFigure(f, json);
    return 0;
}
