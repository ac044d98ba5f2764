// Paints per second of the real item DLL in its three-line view (the costlier one), selected and not:
//   WINEPREFIX=build/wineprefix wine build/bin/paint_bench.exe [paints]
#include "kit/LinkWire.h"
#include "support/ItemHarness.h"
#include "support/NoticeFeed.h"
#include <cstdio>
#include <cstdlib>

namespace {

double PaintsPerSecond(HWND item, int paints) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < paints; ++i) {
        InvalidateRect(item, nullptr, FALSE);
        UpdateWindow(item);
    }
    QueryPerformanceCounter(&end);
    return paints * static_cast<double>(frequency.QuadPart) / static_cast<double>(end.QuadPart - start.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int paints = argc > 1 ? std::atoi(argv[1]) : 2000;
    LoadedItem item;
    if (!item.item) {
        std::fprintf(stderr, "the item did not load\n");
        return 1;
    }
    item.Resize(240, 60);
    RecordingWindow mainApplication(L"BenchMainApplication", L"Ardeno");
    FeedNotices(item.item, mainApplication.hwnd(), NumberedNotices(3));
    PaintsPerSecond(item.item, 50);  // fonts and glyphs are cached on first use
    std::printf("three-line view, not selected: %.0f paints/s\n", PaintsPerSecond(item.item, paints));
    item.Send(WM_TODAYCUSTOM_RECEIVEDSELECTION);
    std::printf("three-line view, selected:     %.0f paints/s\n", PaintsPerSecond(item.item, paints));
    item.Send(LINKM_CLEAR);
    std::printf("one-line view, selected:       %.0f paints/s\n", PaintsPerSecond(item.item, paints));
    return 0;
}
