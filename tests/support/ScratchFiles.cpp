#include "ScratchFiles.h"
#include "platform/ScopedHandles.h"
#include "toolbox/WholeFile.h"
#include <cstdio>

ScratchFolder::ScratchFolder() {
    static LONG made = 0;  // several may live at once
    folder = TemporaryFile(L"scratch-") + std::to_wstring(InterlockedIncrement(&made));
    CreateDirectoryW(folder.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(Path(found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring ScratchFolder::Write(const std::wstring& name, const std::string& content) const {
    WriteFileBytes(Path(name), std::vector<BYTE>(content.begin(), content.end()));
    return Path(name);
}

std::wstring ScratchFolder::WriteBitmap(const std::wstring& name, int width, int height, COLORREF colour) const {
    WriteSolidBitmapFile(Path(name), width, height, colour);
    return Path(name);
}

bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
    KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string ReadFileText(const std::wstring& path) {
    std::string bytes;
    std::wstring error;
    ReadWholeFile(path, bytes, error);
    return bytes;
}

void WriteSolidBitmapFile(const std::wstring& path, int width, int height, COLORREF colour) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<BYTE> row(stride, 0);
    for (int x = 0; x < width; ++x) {
        row[x * 3] = GetBValue(colour);
        row[x * 3 + 1] = GetGValue(colour);
        row[x * 3 + 2] = GetRValue(colour);
    }
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info, sizeof(info), 1, out);
    for (int y = 0; y < height; ++y) fwrite(row.data(), 1, row.size(), out);
    fclose(out);
}

std::wstring TemporaryFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"ardeno-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}
