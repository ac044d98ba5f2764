#include "Utf8.h"
#include <windows.h>

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int count = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string utf8(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), count, &utf8[0], size, nullptr, nullptr);
    return utf8;
}

namespace {
bool Convert(const std::string& utf8, DWORD flags, std::wstring& wide) {
    wide.clear();
    if (utf8.empty()) return true;
    const int count = static_cast<int>(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), count, nullptr, 0);
    if (size <= 0) return false;
    wide.resize(size);
    MultiByteToWideChar(CP_UTF8, flags, utf8.data(), count, &wide[0], size);
    return true;
}
}  // namespace

std::wstring FromUtf8(const std::string& utf8) {
    std::wstring wide;
    Convert(utf8, 0, wide);
    return wide;
}

bool FromUtf8Strict(const std::string& utf8, std::wstring& wide) { return Convert(utf8, MB_ERR_INVALID_CHARS, wide); }
