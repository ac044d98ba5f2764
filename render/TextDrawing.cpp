#include "TextDrawing.h"
#include "../platform/ScopedHandles.h"
#include "../platform/Surrogates.h"
#include "../platform/SurrogateSafeCut.h"
#include <string.h>

namespace {

const wchar_t ELLIPSIS[] = L"...";
const size_t ELLIPSIS_UNITS = 3;
// A width no drawn text reaches, so that every unit measured is reported as fitting.
const int MEASURE_WITHOUT_LIMIT = 0x7FFFFFFF;

RECT Inset(const RECT& rect, int dx, int dy) {
    RECT inner = {rect.left + dx, rect.top + dy, rect.right - dx, rect.bottom - dy};
    return inner;
}

SIZE RunSize(HDC dc, const wchar_t* text, size_t length) {
    SIZE size = {0, 0};
    if (length > 0) GetTextExtentExPointW(dc, text, static_cast<int>(length), 0, NULL, NULL, &size);
    return size;
}

// DrawTextW starts at the room's top, and on its left or right edge as the format says.
DrawnText Drawn(const RECT& room, SIZE text, UINT format) {
    const LONG left = (format & DT_RIGHT) ? room.right - text.cx : room.left;
    DrawnText drawn = {{left, room.top, left + text.cx, room.top + text.cy}, room};
    return drawn;
}

// A surrogate pair is one character: measured, kept or dropped whole.
size_t CharacterLength(const wchar_t* text, size_t length, size_t at) {
    if (at + 1 < length && IS_HIGH_SURROGATE(text[at]) && IS_LOW_SURROGATE(text[at + 1])) return 2;
    return 1;
}

// No more than is ever drawn, never ending between the halves of a pair.
size_t DrawnLength(const wchar_t* text, size_t length) { return SurrogateSafeCut(text, length, DRAWN_TEXT_MAX_UNITS); }

}  // namespace

DrawnText DrawTextInset(HDC dc, const wchar_t* text, size_t length, const RECT& rect, UINT format, int dx, int dy) {
    RECT inner = Inset(rect, dx, dy);
    length = DrawnLength(text, length);
    DrawTextW(dc, text, static_cast<int>(length), &inner, format);
    return Drawn(inner, RunSize(dc, text, length), format);
}

DrawnText DrawTextFitted(HDC dc, const wchar_t* text, size_t length, const RECT& rect, UINT format, int dx, int dy) {
    RECT inner = Inset(rect, dx, dy);
    const int available = inner.right - inner.left;
    const SIZE ellipsisSize = RunSize(dc, ELLIPSIS, ELLIPSIS_UNITS);
    const int ellipsisWidth = ellipsisSize.cx;
    length = DrawnLength(text, length);
    const int count = static_cast<int>(length);

    // The widths of the characters one after another, summed from the first: one call gives them all as the
    // extent after each unit (the platform adds glyph advances without kerning, so the extent after a
    // character is the sum of the characters' own widths), where measuring each alone costs a call each.
    // The handheld fills the extents only for the units it reports as fitting, so the limit is set past any
    // text and no extent at or after `fit` is read; a character there counts as passing the room.
    int extents[DRAWN_TEXT_MAX_UNITS];
    int fit = 0;
    SIZE whole = {0, 0};
    // Unmeasured (nothing to measure, or the platform could not), the text is drawn as it is, clipped to its room.
    const bool measured = count > 0 && GetTextExtentExPointW(dc, text, count, MEASURE_WITHOUT_LIMIT, &fit, extents,
                                                             &whole);
    const size_t filled = measured && fit > 0 ? static_cast<size_t>(fit) : 0;
    for (size_t at = 0; measured && at < length; at += CharacterLength(text, length, at)) {
        const size_t end = at + CharacterLength(text, length, at);
        const bool unfilled = end > filled;
        if (!unfilled && extents[end - 1] <= available - ellipsisWidth) continue;
        // This character passes the room left for "...": the text is cut before it, unless it fits whole.
        if (unfilled || whole.cx > available) {
            wchar_t cut[DRAWN_TEXT_MAX_UNITS + ELLIPSIS_UNITS];
            memcpy(cut, text, at * sizeof(wchar_t));
            memcpy(cut + at, ELLIPSIS, ELLIPSIS_UNITS * sizeof(wchar_t));
            DrawTextW(dc, cut, static_cast<int>(at + ELLIPSIS_UNITS), &inner, format);
            // The cut's width by the same sum as the decision; the cell is the same font's.
            const SIZE cutSize = {(at > 0 ? extents[at - 1] : 0) + ellipsisWidth, ellipsisSize.cy};
            return Drawn(inner, cutSize, format);
        }
        break;
    }
    DrawTextW(dc, text, count, &inner, format);
    const SIZE drawnSize = {whole.cx, ellipsisSize.cy};
    return Drawn(inner, drawnSize, format);
}

DrawnText DrawTextBox(HDC dc, POINT origin, const wchar_t* text, int width, int height) {
    RECT rect = {origin.x, origin.y, origin.x + width, origin.y + height};
    DrawTextW(dc, text, -1, &rect, DT_LEFT);
    return Drawn(rect, RunSize(dc, text, wcslen(text)), DT_LEFT);
}

RECT DrawBitmapCentered(HDC dc, HBITMAP bitmap, const RECT& rect) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    const int x = rect.left + ((rect.right - rect.left) - info.bmWidth) / 2;
    const int y = rect.top + ((rect.bottom - rect.top) - info.bmHeight) / 2;
    MemoryDC source(dc);
    SelectedObject selected(source.get(), bitmap);
    if (!selected.Selected()) {
        const RECT none = {rect.left, rect.top, rect.left, rect.top};
        return none;
    }
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    const RECT drawn = {x, y, x + info.bmWidth, y + info.bmHeight};
    return drawn;
}

void DrawFrame(HDC dc, const RECT& rect, int width) {
    // Nested one-pixel outlines; the whole frame moves up by its width, as a one-pixel one moves up by one.
    for (int i = 0; i < width; ++i) {
        const RECT r = {rect.left + i, rect.top + 1 - width + i, rect.right - i, rect.bottom + 1 - width - i};
        const POINT topLeft = {r.left, r.top}, topRight = {r.right - 1, r.top};
        const POINT bottomRight = {r.right - 1, r.bottom - 1}, bottomLeft = {r.left, r.bottom - 1};
        DrawLine(dc, topLeft, topRight);
        DrawLine(dc, topRight, bottomRight);
        DrawLine(dc, bottomRight, bottomLeft);
        DrawLine(dc, bottomLeft, topLeft);
    }
}

void DrawLine(HDC dc, POINT from, POINT to) {
    MoveToEx(dc, from.x, from.y - 1, NULL);
    LineTo(dc, to.x, to.y - 1);
}
