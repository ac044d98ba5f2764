// Shows one notice through the real item DLL and lets the item paint it a few times, then exits 0. Run as a
// child process by tests whose input may crash or hang the platform's text or bitmap functions. Other exit codes
// come with a message: 2 usage, 3 the item did not initialise, 4 a corrupt heap, 5 an unreadable text file.
// Usage: paint_notice.exe TEXT_FILE [PORTRAIT_FILE]   (the text as UTF-16LE units, no byte-order mark)
#include "support/ItemHarness.h"
#include "support/MainApplication.h"
#include "toolbox/Console.h"
#include "toolbox/WholeFile.h"
#include <cstdio>

namespace {
constexpr int kPaints = 5;

// False with the reason when the file cannot be read: an empty notice would pass for a painted one.
bool ReadUtf16(const wchar_t* path, std::wstring& text, std::wstring& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    text.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return true;
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
    std::wstring error;
    if (!ReadUtf16(argv[1], notice.text, error)) {
        PrintError(L"paint_notice: " + error);
        return 5;
    }
    notice.sender = notice.text;
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
