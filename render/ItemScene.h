// What one paint of the item draws, described plainly: the painting reads nothing else. The scene points at the
// notice's texts and holds the handles of the item's bitmaps and icons, and owns none of them.
#pragma once
#include "ItemIcons.h"
#include "ItemScale.h"
#include <windows.h>

struct ItemView {
    enum Value { OneLine, ThreeLines };
};

// A text the scene points at: `length` units, not necessarily terminated.
struct SceneText {
    const wchar_t* units;
    size_t length;
};

// The notice on display in the three-line view.
struct NoticeView {
    SceneText senderName;
    SceneText messageText;
    FILETIME time;
    HBITMAP portrait;   // null: a grey frame stands in its place
    unsigned arrival;   // the notice's arrival number: keys the portrait's fitted copy
    bool portraitAwaited;  // none yet, for want of memory: a later paint loads it
};

// What lies behind the item: the host's watermark, or the highlight colour while selected.
struct ItemBackground {
    HWND itemWindow;  // named in the watermark request
    HWND hostWindow;  // paints the watermark behind an unselected item
    bool selected;    // highlight background instead of the watermark
    COLORREF highlightColor;
};

struct ItemScene {
    ItemScene();

    ItemView::Value view;
    bool selected;  // the highlight lies behind the item, not the watermark
    bool chineseTexts;
    COLORREF textColor;
    DWORD fontSizeSetting;  // the system font-size setting, 500..1200
    ItemScale scale;        // the screen's: sizes the font, the lines and every other measure
    const ItemIcons* icons;
    int noticeCount;  // also shapes the layout in the one-line view
    int cursor;
    bool canGoPrevious;
    bool canGoNext;
    bool prevArrowLit;
    bool nextArrowLit;
    NoticeView notice;
};

inline ItemScene::ItemScene()
    : view(ItemView::OneLine),
      selected(false),
      chineseTexts(false),
      textColor(0),
      fontSizeSetting(0),
      icons(NULL),
      noticeCount(0),
      cursor(0),
      canGoPrevious(false),
      canGoNext(false),
      prevArrowLit(false),
      nextArrowLit(false) {
    const NoticeView none = {{NULL, 0}, {NULL, 0}, {0, 0}, NULL, 0, false};
    notice = none;
}
