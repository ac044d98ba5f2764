#include "TextUtil.h"
#include "platform/ScopedHandles.h"
#include "toolbox/Utf8.h"
#include <cwchar>

bool ParseInt(const std::wstring& text, int& value) {
    if (text.empty()) return false;
    size_t start = (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (start == text.size()) return false;
    long long result = 0;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        result = result * 10 + (text[i] - L'0');
        if (result > 0x7FFFFFFF) return false;
    }
    value = static_cast<int>(text[0] == L'-' ? -result : result);
    return true;
}

bool ReadTextFile(const std::wstring& path, std::wstring& text) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) != FALSE) && read > 0)
        bytes.append(buffer, read);
    file.Reset();
    if (!ok) return false;
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    text = FromUtf8(bytes);
    return true;
}

std::wstring LastErrorText(DWORD error) {
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring text = message ? message : L"";
    if (message) LocalFree(message);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    wchar_t code[32];
    swprintf(code, 32, L"error %lu", static_cast<unsigned long>(error));
    return text.empty() ? code : text + L" (" + code + L")";
}
