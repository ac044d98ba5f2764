// What a person sees in the stand-in's window: the link state, the pending and the read notices, and the last
// key handed back.
#include "PeerApplication.h"
#include <cstdio>
#include "../platform/ScopedHandles.h"

namespace {

// Field `index` of a five-field payload, or "" when it has fewer.
std::wstring Field(const NoticePayload& notice, size_t index) {
    std::wstring text = PayloadText(notice.data(), notice.size());
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) {
        start = text.find(L'\0', start);
        if (start == std::wstring::npos) return std::wstring();
        ++start;
    }
    return text.substr(start, text.find(L'\0', start) - start);
}

}  // namespace

void PeerApplication::OnPaint() {
    PaintDC paint(window);
    HDC dc = paint.get();
    std::vector<std::wstring> lines;
    wchar_t buffer[64];
    if (link.Linked())
        swprintf(buffer, ARRAYSIZE(buffer), L"Item window 0x%08lX",
                 static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(link.Item())));
    else swprintf(buffer, ARRAYSIZE(buffer), L"No item linked");
    lines.push_back(buffer);
    lines.push_back(std::to_wstring(pending.size()) + L" pending notices");
    for (const NoticePayload& notice : pending) lines.push_back(L"  " + Field(notice, 2) + L": " + Field(notice, 3));
    if (!read.empty()) lines.push_back(std::to_wstring(read.size()) + L" read");
    for (const NoticePayload& notice : read) lines.push_back(L"  " + Field(notice, 2) + L": " + Field(notice, 3));
    if (!keysReceived.empty()) lines.push_back(L"Last key handed back: " + keysReceived.back());
    SetBkMode(dc, TRANSPARENT);
    int y = 4;
    for (const std::wstring& line : lines) {
        TextOutW(dc, 4, y, line.c_str(), static_cast<int>(line.size()));
        y += 18;
    }
}
