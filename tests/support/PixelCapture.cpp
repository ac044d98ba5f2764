#include "PixelCapture.h"
#include "platform/TopDownDib.h"
#include "platform/ScopedHandles.h"

COLORREF Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    DWORD p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Capture::Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(x, y) == colour) ++count;
    return count;
}

Capture CaptureWindow(HWND window) {
    Capture capture;
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    if (capture.width <= 0 || capture.height <= 0) return capture;

    void* bits = nullptr;
    WindowDC windowDc(window);
    GdiObject<HBITMAP> dib(CreateTopDownDib(windowDc.get(), capture.width, capture.height, &bits));
    MemoryDC memory(windowDc.get());
    SelectedObject selected(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, capture.width, capture.height, windowDc.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
    return capture;
}
