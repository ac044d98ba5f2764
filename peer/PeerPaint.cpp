// What a person sees in the stand-in's window: the link state, the pending and the read notices, and the last
// key handed back.
#include "PeerApplication.h"
#include <cstdio>
#include "../platform/ScopedHandles.h"

namespace {

std::wstring Line(const Notice& notice) {
    return L"  " + notice.Field(NOTICE_FIELD_SENDER) + L": " + notice.Field(NOTICE_FIELD_TEXT);
}

}  // namespace

void PeerApplication::OnPaint() {
    PaintDC paint(window);
    HDC dc = paint.get();
    std::vector<std::wstring> lines;
    wchar_t buffer[64];
    if (link.Item())
        swprintf(buffer, ARRAYSIZE(buffer), L"Item window 0x%08lX",
                 static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(link.Item())));
    else swprintf(buffer, ARRAYSIZE(buffer), L"No item linked");
    lines.push_back(buffer);
    lines.push_back(std::to_wstring(pending.size()) + L" pending notices");
    for (const Notice& notice : pending) lines.push_back(Line(notice));
    if (!read.empty()) lines.push_back(std::to_wstring(read.size()) + L" read");
    for (const Notice& notice : read) lines.push_back(Line(notice));
    if (!keysReceived.empty()) lines.push_back(L"Last key handed back: " + keysReceived.back());
    SetBkMode(dc, TRANSPARENT);
    int y = 4;
    for (const std::wstring& line : lines) {
        TextOutW(dc, 4, y, line.c_str(), static_cast<int>(line.size()));
        y += 18;
    }
}
