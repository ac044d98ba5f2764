// What the host draws itself: the background, the notification bar and bubble, and its date line; and the
// background behind an item, on the item's request.
#include "platform/ScopedHandles.h"
#include "TodayHost.h"

namespace {

HFONT MakeFont(int dpi, int points, bool bold) {
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(points, dpi, 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    wcscpy(font.lfFaceName, L"Tahoma");  // linked to a CJK font in the prefix, so Chinese shows too
    return CreateFontIndirectW(&font);
}

bool ChineseUserInterface() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE; }

COLORREF Blend(COLORREF a, COLORREF b, int step, int steps) {
    auto channel = [&](int ca, int cb) { return ca + (cb - ca) * step / (steps > 1 ? steps - 1 : 1); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.get());
}

}  // namespace

int TodayHost::BubbleHeight() const { return notifications.Bubble() ? Scale(38) : 0; }

void TodayHost::OnPaint() {
    PaintDC paint(window);
    RECT client;
    GetClientRect(window, &client);
    // Composed off-screen and copied once: the screen never shows a half-drawn host.
    MemoryDC surface(paint.get());
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
    SelectedObject selectedBitmap(surface.get(), bitmap.get());
    watermark.Paint(surface.get(), client, {0, 0});
    PaintHeader(surface.get(), layout.header);
    // The fixed parts come last: the list scrolls underneath them.
    PaintBar(surface.get(), client);
    if (const int bubble = BubbleHeight()) {
        const int barHeight = Scale(20);
        PaintBubble(surface.get(), {0, barHeight, client.right, barHeight + bubble});
    }
    BitBlt(paint.get(), 0, 0, client.right, client.bottom, surface.get(), 0, 0, SRCCOPY);
}

void TodayHost::PaintBar(HDC dc, const RECT& client) {
    const int height = Scale(20);
    for (int y = 0; y < height; ++y)
        FillSolid(dc, {0, y, client.right, y + 1}, Blend(colors.barTop, colors.barBottom, y, height));

    GdiObject<HFONT> bold(MakeFont(dpi, 8, true));
    SelectedObject selectedFont(dc, bold.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.barText);
    const int margin = Scale(5);
    RECT title = {margin, 0, client.right - margin, height};
    DrawTextW(dc, ChineseUserInterface() ? L"\u4ECA\u65E5" : L"Today", -1, &title,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    std::wstring time = config.clock.ShortTime();
    RECT clock = title;
    DrawTextW(dc, time.c_str(), -1, &clock, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    const size_t count = notifications.Items().size();
    if (!count) return;
    // A badge with the number of notifications, left of the clock.
    SIZE timeSize;
    GetTextExtentPoint32W(dc, time.c_str(), static_cast<int>(time.size()), &timeSize);
    const int diameter = Scale(14);
    const int right = client.right - margin - timeSize.cx - Scale(6);
    RECT badge = {right - diameter, (height - diameter) / 2, right, (height - diameter) / 2 + diameter};
    GdiObject<HBRUSH> fill(CreateSolidBrush(colors.badge));
    GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, colors.badge));
    SelectedObject selectedBrush(dc, fill.get());
    SelectedObject selectedPen(dc, outline.get());
    Ellipse(dc, badge.left, badge.top, badge.right, badge.bottom);
    SetTextColor(dc, colors.badgeText);
    std::wstring number = count > 9 ? L"9+" : std::to_wstring(count);
    DrawTextW(dc, number.c_str(), -1, &badge, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TodayHost::PaintBubble(HDC dc, const RECT& area) {
    const ShellNotification* shown = notifications.Bubble();
    if (!shown) return;
    const int inset = Scale(3);
    RECT box = {area.left + inset, area.top + inset, area.right - inset, area.bottom - inset};
    {
        GdiObject<HBRUSH> fill(CreateSolidBrush(colors.bubbleFill));
        GdiObject<HPEN> border(CreatePen(PS_SOLID, 1, colors.bubbleBorder));
        SelectedObject selectedBrush(dc, fill.get());
        SelectedObject selectedPen(dc, border.get());
        RoundRect(dc, box.left, box.top, box.right, box.bottom, Scale(8), Scale(8));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.text);
    const int pad = Scale(5);
    const int line = (box.bottom - box.top - 2 * Scale(2)) / 2;
    RECT titleRect = {box.left + pad, box.top + Scale(2), box.right - pad, box.top + Scale(2) + line};
    RECT textRect = {titleRect.left, titleRect.bottom, titleRect.right, titleRect.bottom + line};

    std::wstring title = shown->title.empty() ? L"Notification" : shown->title;
    const size_t others = notifications.Items().size() - 1;
    if (others) title += L"  (+" + std::to_wstring(others) + L")";
    GdiObject<HFONT> bold(MakeFont(dpi, 8, true));
    GdiObject<HFONT> regular(MakeFont(dpi, 8, false));
    {
        SelectedObject selectedFont(dc, bold.get());
        DrawTextW(dc, title.c_str(), -1, &titleRect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectedObject selectedFont(dc, regular.get());
    DrawTextW(dc, shown->text.c_str(), -1, &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void TodayHost::PaintHeader(HDC dc, const RECT& header) {
    if (header.bottom <= header.top) return;
    // A small calendar leaf: white page, red binding.
    const int size = Scale(14);
    const int left = Scale(6), top = header.top + (header.bottom - header.top - size) / 2;
    FillSolid(dc, {left, top, left + size, top + size}, RGB(0x70, 0x80, 0x98));
    FillSolid(dc, {left + 1, top + 1, left + size - 1, top + size - 1}, RGB(0xFF, 0xFF, 0xFF));
    FillSolid(dc, {left + 1, top + 1, left + size - 1, top + size / 3 + 1}, RGB(0xD0, 0x3A, 0x2E));

    GdiObject<HFONT> bold(MakeFont(dpi, 8, true));
    SelectedObject selectedFont(dc, bold.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.text);
    RECT text = {left + size + Scale(6), header.top, header.right - Scale(4), header.bottom};
    std::wstring date = config.clock.LongDate();
    DrawTextW(dc, date.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    FillSolid(dc, {Scale(4), header.bottom - 1, header.right - Scale(4), header.bottom}, colors.separator);
}

LRESULT TodayHost::OnDrawWatermark(const TODAYDRAWWATERMARKINFO* info) {
    if (!info || !info->hdc) return FALSE;
    // The part of the background that lies behind the rectangle: where the item's window is in the host.
    POINT origin = {info->rc.left, info->rc.top};
    if (info->hwnd && IsChild(window, info->hwnd)) MapWindowPoints(info->hwnd, window, &origin, 1);
    return watermark.Paint(info->hdc, info->rc, origin) ? TRUE : FALSE;
}
