#include "Screenshot.h"
#include "platform/TopDownDib.h"
#include <objidl.h>  // PROPID, which gdiplus.h needs
#include <gdiplus.h>
#include "platform/ScopedHandles.h"
#include <algorithm>

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

bool CaptureClient(HWND window, Pixels& pixels) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(window, &client);
    pixels.width = client.right;
    pixels.height = client.bottom;
    if (pixels.width <= 0 || pixels.height <= 0) return false;

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
        dib.Reset(CreateTopDownDib(windowDc.get(), pixels.width, pixels.height, &bits));
    }
    if (!dib.get()) return false;
    {
        MemoryDC memory(nullptr);
        SelectedObject selected(memory.get(), dib.get());
        const bool ok = whole ? CopyVisiblePart(window, memory.get(), client)
                              : CopyInPieces(window, memory.get(), {client.right, client.bottom}, desktop);
        if (!ok) return false;
    }
    GdiFlush();
    const uint32_t* source = static_cast<const uint32_t*>(bits);
    pixels.bgrx.assign(source, source + static_cast<size_t>(pixels.width) * pixels.height);
    for (auto& p : pixels.bgrx) p &= 0x00FFFFFF;
    return true;
}

namespace {

class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ok = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (ok) Gdiplus::GdiplusShutdown(token);
    }
    bool ok = false;

private:
    ULONG_PTR token = 0;
};

bool FindPngEncoder(CLSID& encoder) {
    UINT count = 0, size = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool SavePng(const Pixels& pixels, const std::wstring& path, std::wstring& error) {
    GdiplusSession session;
    if (!session.ok) {
        error = L"GDI+ did not start";
        return false;
    }
    CLSID encoder;
    if (!FindPngEncoder(encoder)) {
        error = L"GDI+ has no PNG encoder";
        return false;
    }
    Gdiplus::GpBitmap* bitmap = nullptr;
    auto status = Gdiplus::DllExports::GdipCreateBitmapFromScan0(
        pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppRGB,
        reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixels.bgrx.data())), &bitmap);
    if (status != Gdiplus::Ok) {
        error = L"GDI+ cannot make a bitmap (status " + std::to_wstring(status) + L")";
        return false;
    }
    status = Gdiplus::DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &encoder, nullptr);
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
    if (status != Gdiplus::Ok) {
        error = L"cannot write " + path + L" (GDI+ status " + std::to_wstring(status) + L")";
        return false;
    }
    return true;
}
