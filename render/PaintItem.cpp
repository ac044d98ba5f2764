// The item's paint: composed off-screen, copied in one transfer. One-line view (icon and product name)
// or three-line view of the current notice.
#include "../frame/MessengerTodayItem.h"
#include "../frame/ModuleState.h"
#include "../platform/ScopedHandles.h"
#include "ItemFont.h"
#include "Metrics.h"
#include "TextDrawing.h"

#define GREY_PEN_COLOR RGB(0x80, 0x80, 0x80)
#define TEXT_BUFFER_CHARS 256

namespace {

const wchar_t kTitleLatin[] = L"Ardeno";
const wchar_t kTitleChinese[] = L"\u96C5\u8BFA";
const wchar_t kCountLatin[] = L"Ardeno  (%d)new messages.";
const wchar_t kCountChinese[] = L"\u96C5\u8BFA  (%d)\u6761\u65B0\u6D88\u606F";
const wchar_t kPosition[] = L"[%d/%d] ";
const wchar_t kTime[] = L"[%d:%02d]";

RECT MovedDown(const RECT& rect, int v) { return {rect.left, rect.top + v, rect.right, rect.bottom + v}; }

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

void DrawIconAt(HDC dc, HICON icon, int x, int y) {
    if (icon) DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace

void MessengerTodayItem::Paint(HDC dc) {
    RECT rc;
    GetClientRect(window, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    {
        MemoryDC surface(dc);
        GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, width, height));
        SelectedObject selectedBitmap(surface.get(), bitmap.get());
        RefreshColors();
        DrawItem(surface.get(), rc);
        BitBlt(dc, rc.left, rc.top, width, height, surface.get(), rc.left, rc.top, SRCCOPY);
    }
    dirty = false;
}

void MessengerTodayItem::RefreshColors() {
    QueryColors();
    currentTextColor = selected ? highlightedTextColor : textColor;
}

bool MessengerTodayItem::ShowsOneLineView() const { return !mainWindow || statusMode || notices.Empty(); }

void MessengerTodayItem::DrawItem(HDC surface, const RECT& client) {
    LineMetrics metrics = ComputeLineMetrics(ReadSystemFontSize(), GetDeviceCaps(surface, LOGPIXELSY));
    lineHeight = metrics.lineHeight;
    LOGFONTW font = ItemFontDescription(metrics.fontHeight);

    GdiObject<HFONT> itemFont(CreateFontIndirectW(&font));
    SelectedObject selectedFont(surface, itemFont.get());
    GdiObject<HBRUSH> highlightBrush(CreateSolidBrush(highlightColor));
    GdiObject<HPEN> greyPen(CreatePen(PS_SOLID, 1, GREY_PEN_COLOR));
    SelectedObject selectedPen(surface, greyPen.get());
    SetTextColor(surface, currentTextColor);
    SetBkMode(surface, TRANSPARENT);

    layout.ComputeLayout(client, notices.Size(), lineHeight);
    if (ShowsOneLineView()) DrawOneLineView(surface, highlightBrush.get(), metrics.fontHeight);
    else DrawThreeLineView(surface, highlightBrush.get(), metrics.fontHeight);
}

void MessengerTodayItem::DrawBackground(HDC surface, HBRUSH highlightBrush) {
    if (selected) FillRect(surface, &layout.itemRect, highlightBrush);
    else DrawWatermark(surface, layout.itemRect);
}

void MessengerTodayItem::DrawWatermark(HDC surface, const RECT& rect) {
    TODAYDRAWWATERMARKINFO info = {surface, rect, window};
    SendMessageW(GetParent(window), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
}

void MessengerTodayItem::DrawOneLineView(HDC surface, HBRUSH highlightBrush, int fontHeight) {
    int y = layout.itemRect.top + (lineHeight - fontHeight - 6) / 2;
    DrawBackground(surface, highlightBrush);
    DrawTextBox(surface, {28, y}, chineseLanguage ? kTitleChinese : kTitleLatin, 400, 20);
    DrawIconAt(surface, icons.appIcon, layout.iconCell.left + 2, layout.iconCell.top + 2);
}

void MessengerTodayItem::DrawThreeLineView(HDC surface, HBRUSH highlightBrush, int fontHeight) {
    const int v = (lineHeight - fontHeight - 8) / 2;
    const int count = notices.Size();
    wchar_t text[TEXT_BUFFER_CHARS];

    DrawBackground(surface, highlightBrush);
    DrawIconAt(surface, icons.appIcon, layout.iconCell.left + 2, layout.iconCell.top + 2);

    const RECT title = MovedDown(layout.titleLine, v);
    wsprintfW(text, chineseLanguage ? kCountChinese : kCountLatin, count);
    DrawTextInset(surface, text, title, DT_LEFT, 2, 2);
    wsprintfW(text, kPosition, notices.Cursor() + 1, count);
    DrawTextInset(surface, text, title, DT_RIGHT, 2, 2);

    MessageEntry& entry = notices.Current();
    HBITMAP portrait = entry.PortraitBitmap();
    if (portrait) DrawBitmapCentered(surface, portrait, layout.portraitCell);
    else DrawFrame(surface, layout.portraitCell);

    // Sender name and message text are the user's data: "&" is shown as typed, not as a prefix mark.
    DrawTextFitted(surface, entry.messageText, MovedDown(layout.textLine, v), DT_LEFT | DT_NOPREFIX, 2, 2);

    SYSTEMTIME shown = {};  // a time the conversion rejects shows as 0:00
    FileTimeToSystemTime(&entry.time, &shown);
    wsprintfW(text, kTime, shown.wHour, shown.wMinute);
    const RECT name = MovedDown(layout.nameLine, v);
    DrawTextInset(surface, text, name, DT_RIGHT, 2, 2);
    RECT nameArea = name;
    nameArea.right -= TextWidth(surface, text);
    DrawTextFitted(surface, entry.senderName, nameArea, DT_LEFT | DT_NOPREFIX, 2, 2);

    if (count < 2) return;
    if (notices.CanGoPrevious()) {
        const RECT& column = layout.prevArrowColumn;
        int y = FloorHalf(column.top + column.bottom - 1) - 8;
        DrawIconAt(surface, prevArrowLit ? icons.prevArrowHighlighted : icons.prevArrow, column.left, y);
        if (prevArrowLit) DrawFrame(surface, layout.prevArrowHitArea);
    }
    if (notices.CanGoNext()) {
        const RECT& column = layout.nextArrowColumn;
        int y = FloorHalf(column.top + column.bottom - 1) - 8;
        DrawIconAt(surface, nextArrowLit ? icons.nextArrowHighlighted : icons.nextArrow, column.right - 17, y);
        if (nextArrowLit) DrawFrame(surface, layout.nextArrowHitArea);
    }
}
