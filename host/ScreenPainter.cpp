#include "ScreenPainter.h"
#include "platform/ScopedHandles.h"

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

void PaintBar(HDC dc, const ScreenView& view) {
    const HostMeasures& scale = view.measures;
    const int height = scale.Bar();
    const int width = view.client.right;
    for (int y = 0; y < height; ++y)
        FillSolid(dc, {0, y, width, y + 1}, Blend(view.colors.barTop, view.colors.barBottom, y, height));

    GdiObject<HFONT> bold(MakeFont(scale.Dpi(), 8, true));
    SelectedObject selectedFont(dc, bold.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, view.colors.barText);
    const int margin = scale(5);
    RECT title = {margin, 0, width - margin, height};
    DrawTextW(dc, ChineseUserInterface() ? L"\u4ECA\u65E5" : L"Today", -1, &title,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    std::wstring time = view.clock.ShortTime();
    RECT clock = title;
    DrawTextW(dc, time.c_str(), -1, &clock, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    const size_t count = view.notifications.Items().size();
    if (!count) return;
    // A badge with the number of notifications, left of the clock.
    SIZE timeSize;
    GetTextExtentPoint32W(dc, time.c_str(), static_cast<int>(time.size()), &timeSize);
    const int diameter = scale(14);
    const int right = width - margin - timeSize.cx - scale(6);
    RECT badge = {right - diameter, (height - diameter) / 2, right, (height - diameter) / 2 + diameter};
    GdiObject<HBRUSH> fill(CreateSolidBrush(view.colors.badge));
    GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, view.colors.badge));
    SelectedObject selectedBrush(dc, fill.get());
    SelectedObject selectedPen(dc, outline.get());
    Ellipse(dc, badge.left, badge.top, badge.right, badge.bottom);
    SetTextColor(dc, view.colors.badgeText);
    std::wstring number = count > 9 ? L"9+" : std::to_wstring(count);
    DrawTextW(dc, number.c_str(), -1, &badge, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintBubble(HDC dc, const ScreenView& view, const ShellNotification& shown) {
    const HostMeasures& scale = view.measures;
    const int inset = scale(3);
    const int top = scale.Bar();
    RECT box = {inset, top + inset, view.client.right - inset, top + scale.Bubble(true) - inset};
    {
        GdiObject<HBRUSH> fill(CreateSolidBrush(view.colors.bubbleFill));
        GdiObject<HPEN> border(CreatePen(PS_SOLID, 1, view.colors.bubbleBorder));
        SelectedObject selectedBrush(dc, fill.get());
        SelectedObject selectedPen(dc, border.get());
        RoundRect(dc, box.left, box.top, box.right, box.bottom, scale(8), scale(8));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, view.colors.text);
    const int pad = scale(5);
    const int line = (box.bottom - box.top - 2 * scale(2)) / 2;
    RECT titleRect = {box.left + pad, box.top + scale(2), box.right - pad, box.top + scale(2) + line};
    RECT textRect = {titleRect.left, titleRect.bottom, titleRect.right, titleRect.bottom + line};

    std::wstring title = shown.title.empty() ? L"Notification" : shown.title;
    const size_t others = view.notifications.Items().size() - 1;
    if (others) title += L"  (+" + std::to_wstring(others) + L")";
    GdiObject<HFONT> bold(MakeFont(scale.Dpi(), 8, true));
    GdiObject<HFONT> regular(MakeFont(scale.Dpi(), 8, false));
    {
        SelectedObject selectedFont(dc, bold.get());
        DrawTextW(dc, title.c_str(), -1, &titleRect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectedObject selectedFont(dc, regular.get());
    DrawTextW(dc, shown.text.c_str(), -1, &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void PaintHeader(HDC dc, const ScreenView& view) {
    const RECT& header = view.header;
    if (header.bottom <= header.top) return;
    const HostMeasures& scale = view.measures;
    // A small calendar leaf: white page, red binding.
    const int size = scale(14);
    const int left = scale(6), top = header.top + (header.bottom - header.top - size) / 2;
    FillSolid(dc, {left, top, left + size, top + size}, RGB(0x70, 0x80, 0x98));
    FillSolid(dc, {left + 1, top + 1, left + size - 1, top + size - 1}, RGB(0xFF, 0xFF, 0xFF));
    FillSolid(dc, {left + 1, top + 1, left + size - 1, top + size / 3 + 1}, RGB(0xD0, 0x3A, 0x2E));

    GdiObject<HFONT> bold(MakeFont(scale.Dpi(), 8, true));
    SelectedObject selectedFont(dc, bold.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, view.colors.text);
    RECT text = {left + size + scale(6), header.top, header.right - scale(4), header.bottom};
    std::wstring date = view.clock.LongDate();
    DrawTextW(dc, date.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    FillSolid(dc, {scale(4), header.bottom - 1, header.right - scale(4), header.bottom}, view.colors.separator);
}

}  // namespace

void PaintScreen(HDC dc, const ScreenView& view) {
    const RECT& client = view.client;
    MemoryDC surface(dc);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    SelectedObject selectedBitmap(surface.get(), bitmap.get());
    view.watermark.Paint(surface.get(), client, {0, 0});
    PaintHeader(surface.get(), view);
    // The fixed parts come last: the list scrolls underneath them.
    PaintBar(surface.get(), view);
    if (const ShellNotification* shown = view.notifications.Bubble()) PaintBubble(surface.get(), view, *shown);
    BitBlt(dc, 0, 0, client.right, client.bottom, surface.get(), 0, 0, SRCCOPY);
}
