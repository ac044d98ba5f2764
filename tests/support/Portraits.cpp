#include "Portraits.h"

PortraitFiles::PortraitFiles() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    folder = std::wstring(base) + L"ardeno-portraits-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
}

PortraitFiles::~PortraitFiles() {
    for (const auto& path : written) DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

std::wstring PortraitFiles::Write(const std::wstring& name, int width, int height, COLORREF colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const DWORD pixelBytes = static_cast<DWORD>(rowBytes * height);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + pixelBytes;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = pixelBytes;
    std::vector<BYTE> pixels(pixelBytes, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = &pixels[static_cast<size_t>(y) * rowBytes + x * 3];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    const std::wstring path = PathOf(name);
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return path;
    DWORD done = 0;
    WriteFile(handle, &file, sizeof(file), &done, nullptr);
    WriteFile(handle, &info, sizeof(info), &done, nullptr);
    WriteFile(handle, pixels.data(), pixelBytes, &done, nullptr);
    CloseHandle(handle);
    written.push_back(path);
    return path;
}
