#include "Portraits.h"
#include "Surface.h"

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
    const std::wstring path = PathOf(name);
    WriteSolidBitmapFile(path, width, height, colour);
    written.push_back(path);
    return path;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}
