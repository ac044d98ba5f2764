#include "PaintItem.h"
#include "../platform/ItemMemory.h"
#include "../platform/todaycmn.h"
#include "ItemFont.h"
#include "MarkColor.h"

namespace {

const COLORREF GREY_PEN_COLOR = RGB(0x80, 0x80, 0x80);
const int TEXT_BUFFER_CHARS = 256;
// Pixels at 96 dpi, scaled with the screen:
const int ICON_INSET = 2;  // the application icon's offset inside its cell, where the first line has room
const int TITLE_LEFT = 28;
const int TITLE_BOX_WIDTH = 400;
const int TITLE_BOX_HEIGHT = 20;
const int ONE_LINE_TEXT_GAP = 6;    // line height minus font height minus this, halved, places the title
const int THREE_LINE_TEXT_GAP = 8;  // the same for the three-line view's texts
const int NEXT_ARROW_GAP = 1;       // between the next arrow and the next-arrow column's right edge
const int FRAME_WIDTH = 1;

const wchar_t kTitleLatin[] = L"Ardeno";
const wchar_t kTitleChinese[] = L"\u96C5\u8BFA";
const wchar_t kCountLatin[] = L"Ardeno  (%d)new messages.";
const wchar_t kCountChinese[] = L"\u96C5\u8BFA  (%d)\u6761\u65B0\u6D88\u606F";
const wchar_t kPosition[] = L"[%d/%d] ";
const wchar_t kTime[] = L"[%d:%02d]";

// Everything one paint draws with, and where it notes what it drew and whether all of it could be.
struct Canvas {
    HDC surface;
    const ItemScene& scene;
    const ItemLayout& layout;
    LineMetrics metrics;
    PaintResult* result;
    FittedPortraits* fittedPortraits;
    int Scaled(int pixelsAt96Dpi) const { return scene.scale(pixelsAt96Dpi); }
    DrawnBoxes& Drawn() const { return result->drawn; }
};

const RECT NO_BOX = {0, 0, 0, 0};

RECT MovedDown(const RECT& rect, int offset) {
    const RECT moved = {rect.left, rect.top + offset, rect.right, rect.bottom + offset};
    return moved;
}

LONG Larger(LONG a, LONG b) { return a > b ? a : b; }
LONG Smaller(LONG a, LONG b) { return a < b ? a : b; }

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

LONG Width(const RECT& rect) { return rect.right - rect.left; }

// At its own size, as loaded; an icon left for a later load leaves the paint incomplete.
RECT DrawIconAt(const Canvas& canvas, const ItemIcon& icon, int x, int y) {
    if (!icon.get()) {
        if (!icon.givenUp) canvas.result->complete = false;
        return NO_BOX;
    }
    DrawIconEx(canvas.surface, x, y, icon.get(), 0, 0, 0, NULL, DI_NORMAL);
    const RECT box = {x, y, x + icon.size.cx, y + icon.size.cy};
    return box;
}

// The colour for a mark of the item's own colour, judged against the pixel behind it (read only where the host's
// colours run the other way: on the usual Today screen every mark keeps its own colour).
COLORREF MarkColor(const Canvas& canvas, COLORREF own, POINT behind) {
    const COLORREF text = canvas.scene.textColor;
    if (UsualTodayColors(text, canvas.scene.selected)) return own;
    return ReadableMarkColor(own, GetPixel(canvas.surface, behind.x, behind.y), text);
}

// A frame in the grey pen selected for the paint, or in another colour where grey would not read.
void DrawMarkFrame(const Canvas& canvas, const RECT& rect, int width, POINT behind) {
    const COLORREF color = MarkColor(canvas, GREY_PEN_COLOR, behind);
    if (color == GREY_PEN_COLOR) {
        DrawFrame(canvas.surface, rect, width);
        return;
    }
    SetLastError(ERROR_SUCCESS);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    // Without it the frame takes the pen already selected.
    if (!pen && FailedForWantOfMemory()) canvas.result->complete = false;
    SelectedObject selectedPen(canvas.surface, pen.get());
    DrawFrame(canvas.surface, rect, width);
}

void DrawAppIcon(const Canvas& canvas) {
    const RECT& cell = canvas.layout.iconCell;
    const ItemIcon& icon = canvas.scene.icons->appIcon;
    const int inset = canvas.Scaled(ICON_INSET);
    // Moved up where the inset would let the icon reach the portrait's frame, drawn that much above the band.
    const LONG lowest = canvas.layout.lowerBand.top - canvas.Scaled(FRAME_WIDTH) - icon.size.cy;
    const LONG top = Larger(cell.top, Smaller(cell.top + inset, lowest));
    canvas.Drawn().appIcon = DrawIconAt(canvas, icon, cell.left + inset, top);
}

void DrawOneLineView(const Canvas& canvas) {
    const int y = canvas.layout.itemRect.top +
                  (canvas.metrics.lineHeight - canvas.metrics.fontHeight - canvas.Scaled(ONE_LINE_TEXT_GAP)) / 2;
    const POINT origin = {canvas.Scaled(TITLE_LEFT), y};
    canvas.Drawn().title =
        DrawTextBox(canvas.surface, origin, canvas.scene.chineseTexts ? kTitleChinese : kTitleLatin,
                    canvas.Scaled(TITLE_BOX_WIDTH), canvas.Scaled(TITLE_BOX_HEIGHT));
    DrawAppIcon(canvas);
}

void DrawTitleLine(const Canvas& canvas, int textOffset) {
    const ItemScene& scene = canvas.scene;
    wchar_t text[TEXT_BUFFER_CHARS];
    const RECT title = MovedDown(canvas.layout.titleLine, textOffset);
    const int inset = canvas.metrics.textInset;
    int length = wsprintfW(text, kPosition, scene.cursor + 1, scene.noticeCount);
    canvas.Drawn().position = DrawTextInset(canvas.surface, text, length, title, DT_RIGHT, inset, inset);
    // The count ends where the right-aligned position begins, cut with "..." on a narrow item or a large font.
    RECT countArea = title;
    countArea.right -= Width(canvas.Drawn().position.box);
    length = wsprintfW(text, scene.chineseTexts ? kCountChinese : kCountLatin, scene.noticeCount);
    canvas.Drawn().count = DrawTextFitted(canvas.surface, text, length, countArea, DT_LEFT, inset, inset);
}

void DrawNotice(const Canvas& canvas, int textOffset) {
    const NoticeView& notice = canvas.scene.notice;
    const ItemLayout& layout = canvas.layout;
    const int inset = canvas.metrics.textInset;
    DrawnBoxes& drawn = canvas.Drawn();
    bool portraitDrawn = false, portraitGivenUp = false;
    if (notice.portrait) {
        drawn.portrait = canvas.fittedPortraits->Draw(canvas.surface, notice.arrival, notice.portrait,
                                                       layout.portraitCell, canvas.scene.scale, &portraitDrawn,
                                                       &portraitGivenUp);
        if (!portraitDrawn && !portraitGivenUp) canvas.result->complete = false;
    }
    if (notice.portraitAwaited) canvas.result->complete = false;
    if (!portraitDrawn) {
        // No portrait, or none that could be drawn this time: the grey frame stands in its place.
        const int frameWidth = canvas.Scaled(FRAME_WIDTH);
        const RECT& cell = layout.portraitCell;
        const POINT middle = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};  // empty without a portrait
        DrawMarkFrame(canvas, cell, frameWidth, middle);
        drawn.portrait = MovedDown(cell, -frameWidth);
    }

    // Sender name and message text are the user's data: "&" is shown as typed, not as a prefix mark.
    drawn.text = DrawTextFitted(canvas.surface, notice.messageText.units, notice.messageText.length,
                                MovedDown(layout.textLine, textOffset), DT_LEFT | DT_NOPREFIX, inset, inset);

    SYSTEMTIME shown = {};  // a time the conversion rejects shows as 0:00
    FileTimeToSystemTime(&notice.time, &shown);
    wchar_t time[TEXT_BUFFER_CHARS];
    const int timeLength = wsprintfW(time, kTime, shown.wHour, shown.wMinute);
    const RECT name = MovedDown(layout.nameLine, textOffset);
    drawn.time = DrawTextInset(canvas.surface, time, timeLength, name, DT_RIGHT, inset, inset);
    // The name ends exactly where the right-aligned time begins.
    RECT nameArea = name;
    nameArea.right -= Width(drawn.time.box);
    drawn.name = DrawTextFitted(canvas.surface, notice.senderName.units, notice.senderName.length, nameArea,
                                DT_LEFT | DT_NOPREFIX, inset, inset);
}

// The arrow's middle row on the column's middle row.
int ArrowTop(const RECT& column, const ItemIcon& arrow) {
    return FloorHalf(column.top + column.bottom - 1) - arrow.size.cy / 2;
}

// An arrow, and its hit area's frame while lit. The column's bottom-left pixel, which neither covers, is behind them.
RECT DrawArrow(const Canvas& canvas, const ItemIcon& arrow, bool lit, const RECT& column, int x, const RECT& hitArea) {
    const POINT behind = {column.left, column.bottom - 1};
    const int y = ArrowTop(column, arrow);
    const COLORREF own = lit ? LIT_ARROW_COLOR : ARROW_COLOR;
    const COLORREF color = MarkColor(canvas, own, behind);
    RECT drawn = NO_BOX;
    if (color == own) {
        drawn = DrawIconAt(canvas, arrow, x, y);
    } else {
        drawn = DrawIconInColor(canvas.surface, arrow.get(), x, y, color);
        if (drawn.right <= drawn.left) canvas.result->complete = false;
    }
    if (lit) DrawMarkFrame(canvas, hitArea, canvas.Scaled(FRAME_WIDTH), behind);
    return drawn;
}

void DrawArrows(const Canvas& canvas) {
    const ItemScene& scene = canvas.scene;
    const ItemLayout& layout = canvas.layout;
    const ItemIcons& icons = *scene.icons;
    if (scene.noticeCount < 2) return;
    if (scene.canGoPrevious) {
        const RECT& column = layout.prevArrowColumn;
        const ItemIcon& arrow = scene.prevArrowLit ? icons.prevArrowHighlighted : icons.prevArrow;
        canvas.Drawn().prevArrow =
            DrawArrow(canvas, arrow, scene.prevArrowLit, column, column.left, layout.prevArrowHitArea);
    }
    if (scene.canGoNext) {
        const RECT& column = layout.nextArrowColumn;
        const ItemIcon& arrow = scene.nextArrowLit ? icons.nextArrowHighlighted : icons.nextArrow;
        const int x = column.right - canvas.Scaled(NEXT_ARROW_GAP) - arrow.size.cx;
        canvas.Drawn().nextArrow = DrawArrow(canvas, arrow, scene.nextArrowLit, column, x, layout.nextArrowHitArea);
    }
}

void DrawThreeLineView(const Canvas& canvas) {
    // Negative once the font reaches the line height less the gap: the texts then move up.
    const int textOffset =
        (canvas.metrics.lineHeight - canvas.metrics.fontHeight - canvas.Scaled(THREE_LINE_TEXT_GAP)) / 2;
    DrawAppIcon(canvas);
    DrawTitleLine(canvas, textOffset);
    DrawNotice(canvas, textOffset);
    DrawArrows(canvas);  // after the portrait and the texts, so they lie on top
}

}  // namespace

PaintSurface::PaintSurface(HDC target, const RECT& area)
    : client(area),
      dc(target),
      // Compatible with the target, not with the memory surface, which starts out monochrome.
      bitmap(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
      selected(dc.get(), bitmap.get()) {}

bool PaintSurface::CopyTo(HDC target) const {
    return BitBlt(target, client.left, client.top, client.right - client.left, client.bottom - client.top, dc.get(),
                  client.left, client.top, SRCCOPY) != FALSE;
}

bool DrawItemBackground(HDC surface, const RECT& client, const ItemBackground& background) {
    if (background.selected) {
        SetLastError(ERROR_SUCCESS);
        GdiObject<HBRUSH> highlightBrush(CreateSolidBrush(background.highlightColor));
        if (highlightBrush) return FillRect(surface, &client, highlightBrush.get()) != FALSE;
        // A brush that will not be made at all leaves the watermark behind the selected item.
        if (FailedForWantOfMemory()) return false;
    }
    // The host paints its background picture as it lies behind the item, so the Today screen looks unbroken.
    // Without a host (another window is the parent now) the item goes without.
    if (!background.hostWindow) return true;
    TODAYDRAWWATERMARKINFO info = {surface, client, background.itemWindow};
    SendMessageW(background.hostWindow, TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

PaintResult DrawItemScene(HDC surface, const RECT& client, const ItemScene& scene, const ItemLayout& previousLayout,
                          FittedPortraits& fittedPortraits) {
    PaintResult result;
    result.layout = previousLayout;
    result.drawn.appIcon = result.drawn.prevArrow = result.drawn.nextArrow = result.drawn.portrait = NO_BOX;
    const DrawnText noText = {NO_BOX, NO_BOX};
    result.drawn.title = result.drawn.count = result.drawn.position = noText;
    result.drawn.name = result.drawn.time = result.drawn.text = noText;
    result.complete = true;
    result.textsDrawn = false;
    result.metrics = ComputeLineMetrics(scene.fontSizeSetting, scene.scale);
    LOGFONTW fontDescription = ItemFontDescription(result.metrics.fontHeight);

    SetLastError(ERROR_SUCCESS);
    GdiObject<HFONT> itemFont(CreateFontIndirectW(&fontDescription));
    // Short of memory, the text would take the surface's font and be measured wrong while the item's comes later:
    // none is drawn this time. A font that will not be made at all leaves the surface's, measured as drawn.
    const bool fontAwaited = !itemFont && FailedForWantOfMemory();
    if (fontAwaited) result.complete = false;
    SelectedObject selectedFont(surface, itemFont.get());
    SetLastError(ERROR_SUCCESS);
    GdiObject<HPEN> greyPen(CreatePen(PS_SOLID, 1, GREY_PEN_COLOR));
    if (!greyPen && FailedForWantOfMemory()) result.complete = false;
    SelectedObject selectedPen(surface, greyPen.get());
    SetTextColor(surface, scene.textColor);
    SetBkMode(surface, TRANSPARENT);

    result.layout.ComputeLayout(client, scene.noticeCount, result.metrics.lineHeight, scene.scale);
    const Canvas canvas = {surface, scene, result.layout, result.metrics, &result, &fittedPortraits};
    if (fontAwaited) return result;
    result.textsDrawn = true;
    if (scene.view == ItemView::OneLine) DrawOneLineView(canvas);
    else DrawThreeLineView(canvas);
    return result;
}
