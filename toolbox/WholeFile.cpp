#include "WholeFile.h"
#include "SystemError.h"
#include "platform/ScopedHandles.h"

bool ReadWholeFile(const std::wstring& path, std::string& bytes, std::wstring& error) {
    bytes.clear();
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    bool ok = static_cast<bool>(file);
    char buffer[4096];
    DWORD got = 0;
    while (ok && (ok = ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) != FALSE) && got > 0)
        bytes.append(buffer, got);
    if (ok) return true;
    error = L"cannot read '" + path + L"': " + SystemErrorText(GetLastError());
    bytes.clear();
    return false;
}
