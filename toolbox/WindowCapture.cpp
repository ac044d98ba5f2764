#include "WindowCapture.h"
#include "platform/ScopedHandles.h"
#include "platform/TopDownDib.h"
#include <algorithm>

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

namespace {

// Copies the client rows and columns of area that lie on the desktop now into the picture.
bool CopyVisiblePart(HWND window, HDC memory, const RECT& area) {
    WindowDC windowDc(window);
    return BitBlt(memory, area.left, area.top, area.right - area.left, area.bottom - area.top, windowDc.get(),
                  area.left, area.top, SRCCOPY) != FALSE;
}

// Reads a client area larger than the desktop (a tall handheld screen on the display's 1024 x 768) piece by
// piece: the window is moved so that each piece lies on the desktop, painted there, read, and put back. (Wine
// shows child windows only within the first 1024 x 768 pixels of the client area wherever the window stands:
// an item below that stays blank.)
bool CopyInPieces(HWND window, HDC memory, SIZE client, const RECT& desktop) {
    RECT frame;
    GetWindowRect(window, &frame);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const int pieceWidth = desktop.right - desktop.left, pieceHeight = desktop.bottom - desktop.top;
    bool ok = true;
    for (int top = 0; ok && top < client.cy; top += pieceHeight) {
        for (int left = 0; ok && left < client.cx; left += pieceWidth) {
            // Client point (left, top) at the desktop's top left corner.
            SetWindowPos(window, nullptr, frame.left + desktop.left - (origin.x + left),
                         frame.top + desktop.top - (origin.y + top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            const RECT piece = {left, top, std::min(left + pieceWidth, static_cast<int>(client.cx)),
                                std::min(top + pieceHeight, static_cast<int>(client.cy))};
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            ok = CopyVisiblePart(window, memory, piece);
        }
    }
    SetWindowPos(window, nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return ok;
}

}  // namespace

Capture CaptureWindow(HWND window) {
    Capture capture;
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0) return capture;

    // Only what lies on the desktop is kept of a window's pixels.
    const int desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN), desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT desktop = {desktopLeft, desktopTop, desktopLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          desktopTop + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT onScreen = client;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
    RECT visible;
    const bool whole = IntersectRect(&visible, &onScreen, &desktop) && EqualRect(&visible, &onScreen);

    void* bits = nullptr;
    GdiObject<HBITMAP> dib;
    {
        WindowDC windowDc(window);
        dib.Reset(CreateTopDownDib(windowDc.get(), client.right, client.bottom, &bits));
    }
    if (!dib.get()) return capture;
    {
        MemoryDC memory(nullptr);
        SelectedObject selected(memory.get(), dib.get());
        const bool ok = whole ? CopyVisiblePart(window, memory.get(), client)
                              : CopyInPieces(window, memory.get(), {client.right, client.bottom}, desktop);
        if (!ok) return capture;
    }
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    capture.width = client.right;
    capture.height = client.bottom;
    capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
    for (DWORD& p : capture.pixels) p &= 0x00FFFFFF;
    return capture;
}
