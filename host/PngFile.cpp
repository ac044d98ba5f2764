#include "PngFile.h"
#include <objidl.h>  // PROPID, which gdiplus.h needs
#include <gdiplus.h>
#include <vector>

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

bool SavePng(const Capture& capture, const std::wstring& path, std::wstring& error) {
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
        capture.width, capture.height, capture.width * 4, PixelFormat32bppRGB,
        reinterpret_cast<BYTE*>(const_cast<DWORD*>(capture.pixels.data())), &bitmap);
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

bool LoadPng(const std::wstring& path, Capture& capture) {
    GdiplusSession session;
    if (!session.ok) return false;
    Gdiplus::Bitmap image(path.c_str());
    if (image.GetLastStatus() != Gdiplus::Ok) return false;
    capture.width = static_cast<int>(image.GetWidth());
    capture.height = static_cast<int>(image.GetHeight());
    capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
    for (int y = 0; y < capture.height; ++y)
        for (int x = 0; x < capture.width; ++x) {
            Gdiplus::Color color;
            image.GetPixel(x, y, &color);
            capture.pixels[static_cast<size_t>(y) * capture.width + x] =
                (color.GetR() << 16) | (color.GetG() << 8) | color.GetB();
        }
    return true;
}
