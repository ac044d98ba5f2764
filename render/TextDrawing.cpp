#include "TextDrawing.h"
#include "../platform/ScopedHandles.h"
#include "../platform/Surrogates.h"
#include <cwchar>
#include <vector>

namespace {

RECT Inset(const RECT& rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right - dx, rect.bottom - dy};
}

SIZE RunSize(HDC dc, const wchar_t* text, size_t length) {
    SIZE size = {0, 0};
    if (length > 0) GetTextExtentExPointW(dc, text, static_cast<int>(length), 0, nullptr, nullptr, &size);
    return size;
}

// DrawTextW starts at the room's top, and on its left or right edge as the format says.
DrawnText Drawn(const RECT& room, SIZE text, UINT format) {
    const LONG left = (format & DT_RIGHT) ? room.right - text.cx : room.left;
    return {{left, room.top, left + text.cx, room.top + text.cy}, room};
}

// A surrogate pair is one character: measured, kept or dropped whole.
size_t CharacterLength(const std::wstring& text, size_t at) {
    if (at + 1 < text.size() && IS_HIGH_SURROGATE(text[at]) && IS_LOW_SURROGATE(text[at + 1])) return 2;
    return 1;
}

}  // namespace

DrawnText DrawTextInset(HDC dc, const std::wstring& text, const RECT& rect, UINT format, int dx, int dy) {
    RECT inner = Inset(rect, dx, dy);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner, format);
    return Drawn(inner, RunSize(dc, text.data(), text.size()), format);
}

DrawnText DrawTextFitted(HDC dc, const std::wstring& text, const RECT& rect, UINT format, int dx, int dy) {
    static const wchar_t ellipsis[] = L"...";
    RECT inner = Inset(rect, dx, dy);
    const int available = inner.right - inner.left;
    const SIZE ellipsisSize = RunSize(dc, ellipsis, 3);
    const int ellipsisWidth = ellipsisSize.cx;
    const int count = static_cast<int>(text.size());

    // The widths of the characters one after another, summed from the first: one call gives them all as the
    // extent after each unit (the platform adds glyph advances without kerning, so the extent after a
    // character is the sum of the characters' own widths), where measuring each alone costs a call each.
    std::vector<int> extents(text.size());
    SIZE whole = {0, 0};
    if (count > 0) GetTextExtentExPointW(dc, text.data(), count, 0, nullptr, extents.data(), &whole);
    for (size_t at = 0; at < text.size(); at += CharacterLength(text, at)) {
        const size_t end = at + CharacterLength(text, at);
        if (extents[end - 1] <= available - ellipsisWidth) continue;
        // This character passes the room left for "...": the text is cut before it, unless it fits whole.
        if (whole.cx > available) {
            std::wstring cut = text.substr(0, at) + ellipsis;
            DrawTextW(dc, cut.c_str(), static_cast<int>(cut.size()), &inner, format);
            // The cut's width by the same sum as the decision; the cell is the same font's.
            return Drawn(inner, {(at > 0 ? extents[at - 1] : 0) + ellipsisWidth, ellipsisSize.cy}, format);
        }
        break;
    }
    DrawTextW(dc, text.c_str(), count, &inner, format);
    return Drawn(inner, {whole.cx, ellipsisSize.cy}, format);
}

DrawnText DrawTextBox(HDC dc, POINT origin, const wchar_t* text, int width, int height) {
    RECT rect = {origin.x, origin.y, origin.x + width, origin.y + height};
    DrawTextW(dc, text, -1, &rect, DT_LEFT);
    return Drawn(rect, RunSize(dc, text, wcslen(text)), DT_LEFT);
}

RECT DrawBitmapCentered(HDC dc, HBITMAP bitmap, const RECT& rect) {
    MemoryDC source(dc);
    SelectedObject selected(source.get(), bitmap);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    int x = rect.left + ((rect.right - rect.left) - info.bmWidth) / 2;
    int y = rect.top + ((rect.bottom - rect.top) - info.bmHeight) / 2;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    return {x, y, x + info.bmWidth, y + info.bmHeight};
}

void DrawFrame(HDC dc, const RECT& rect, int width) {
    // Nested one-pixel outlines; the whole frame moves up by its width, as a one-pixel one moves up by one.
    for (int i = 0; i < width; ++i) {
        const RECT r = {rect.left + i, rect.top + 1 - width + i, rect.right - i, rect.bottom + 1 - width - i};
        DrawLine(dc, {r.left, r.top}, {r.right - 1, r.top});
        DrawLine(dc, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1});
        DrawLine(dc, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1});
        DrawLine(dc, {r.left, r.bottom - 1}, {r.left, r.top});
    }
}

void DrawLine(HDC dc, POINT from, POINT to) {
    MoveToEx(dc, from.x, from.y - 1, nullptr);
    LineTo(dc, to.x, to.y - 1);
}
