// Shows one notice through the real item DLL and lets the item paint it a few times, then exits 0. Run as a
// child process by tests whose input may crash or hang the platform's text or bitmap functions.
// Usage: paint_notice.exe TEXT_FILE [PORTRAIT_FILE]   (the text as UTF-16LE units, no byte-order mark)
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
constexpr int kPaints = 5;

std::wstring ReadUtf16(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

void Repaint(HWND item) {
    InvalidateRect(item, nullptr, FALSE);
    UpdateWindow(item);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: paint_notice.exe TEXT_FILE [PORTRAIT_FILE]\n");
        return 2;
    }
    Notice notice;
    notice.sender = notice.text = ReadUtf16(argv[1]);
    if (argc > 2) notice.portraitPath = argv[2];
    MainApplicationWindow main;
    LoadedItem loaded;
    if (!loaded.item) {
        fprintf(stderr, "paint_notice: the item did not initialise\n");
        return 3;
    }
    main.Show(loaded.item, {notice});
    loaded.Resize(240, 60);
    for (int paint = 0; paint < kPaints; ++paint) Repaint(loaded.item);
    // Corruption need not crash at once: the heap is checked before the child reports success.
    if (!HeapValidate(GetProcessHeap(), 0, nullptr)) {
        fprintf(stderr, "paint_notice: the process heap is corrupt\n");
        return 4;
    }
    return 0;
}
