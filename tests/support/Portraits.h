// Portrait bitmap files for notices, in a fresh temporary folder that is removed with its files.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class PortraitFiles {
public:
    PortraitFiles();
    ~PortraitFiles();
    PortraitFiles(const PortraitFiles&) = delete;
    PortraitFiles& operator=(const PortraitFiles&) = delete;

    // A path in the folder; the file need not exist.
    std::wstring PathOf(const std::wstring& name) const { return folder + L"\\" + name; }
    // Writes a 24-bit bitmap file of one colour and returns its path.
    std::wstring Write(const std::wstring& name, int width = 8, int height = 8, COLORREF colour = RGB(200, 40, 40));

private:
    std::wstring folder;
    std::vector<std::wstring> written;
};

// Writes the bytes as the whole file; false when it cannot be written.
bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes);
