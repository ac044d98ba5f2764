#include "SystemError.h"
#include "LocalMemory.h"

std::wstring SystemErrorText(DWORD code) {
    LocalMemory<wchar_t*> message;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, 0, reinterpret_cast<wchar_t*>(message.Receive()), 0, nullptr);
    std::wstring text = message ? message.get() : L"";
    // The system's messages end in a full stop and a line break; ours goes on after them.
    while (!text.empty() &&
           (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    const std::wstring number = L"error " + std::to_wstring(code);
    return text.empty() ? number : text + L" (" + number + L")";
}
