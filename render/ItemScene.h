// What one paint of the item draws, described plainly: the painting reads nothing else.
#pragma once
#include "../platform/ScopedHandles.h"
#include "ItemIcons.h"
#include "ItemScale.h"
#include <windows.h>
#include <string>

enum class ItemView { OneLine, ThreeLines };

// The notice on display in the three-line view.
struct NoticeView {
    const std::wstring* senderName = nullptr;
    const std::wstring* messageText = nullptr;
    FILETIME time = {0, 0};
    HBITMAP portrait = nullptr;  // null: a grey frame stands in its place
    // Keeps the portrait as stretched for its cell between paints; null: stretched at every paint.
    GdiObject<HBITMAP>* fittedPortrait = nullptr;
};

// What lies behind the item: the host's watermark, or the highlight colour while selected.
struct ItemBackground {
    HWND itemWindow = nullptr;  // named in the watermark request
    HWND hostWindow = nullptr;  // paints the watermark behind an unselected item
    bool selected = false;      // highlight background instead of the watermark
    COLORREF highlightColor = 0;
};

struct ItemScene {
    ItemView view = ItemView::OneLine;
    ItemBackground background;
    bool chineseTexts = false;
    COLORREF textColor = 0;
    DWORD fontSizeSetting = 0;  // the system font-size setting, 500..1200
    ItemScale scale;            // the screen's: sizes the font, the lines and every other measure
    const ItemIcons* icons = nullptr;
    int noticeCount = 0;  // also shapes the layout in the one-line view
    int cursor = 0;
    bool canGoPrevious = false;
    bool canGoNext = false;
    bool prevArrowLit = false;
    bool nextArrowLit = false;
    NoticeView notice;
};
