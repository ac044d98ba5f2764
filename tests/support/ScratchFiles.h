// Files for a test: a folder of its own under %TEMP%, removed with its files, and whole files written and read.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // A path in the folder; the file need not exist.
    std::wstring Path(const std::wstring& name) const { return folder + L"\\" + name; }
    // Each writes the whole file and returns its path.
    std::wstring Write(const std::wstring& name, const std::string& content) const;
    // A 24-bit bitmap file of one colour.
    std::wstring WriteBitmap(const std::wstring& name, int width = 8, int height = 8,
                             COLORREF colour = RGB(200, 40, 40)) const;

private:
    std::wstring folder;
};

// Writes the bytes as the whole file; false when it cannot be written.
bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes);
// The whole file, or "" when it cannot be read.
std::string ReadFileText(const std::wstring& path);
// Writes a 24-bit bottom-up .bmp file of one colour.
void WriteSolidBitmapFile(const std::wstring& path, int width, int height, COLORREF colour);
// A file name in the temporary folder, unique to this process.
std::wstring TemporaryFile(const wchar_t* name);
