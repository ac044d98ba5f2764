// The item: the one object the module holds, and the host callbacks it implements.
#pragma once
#include "../render/ItemScene.h"
#include "MessengerItemModel.h"

class MessengerTodayItem : public MessengerItemModel {
public:
    explicit MessengerTodayItem(HINSTANCE module) : MessengerItemModel(module) {}
    virtual ~MessengerTodayItem() {}

    int GetItemHeight();                                      // slot 5
    int OnNavigationKey(UINT virtualKey);                     // slot 6
    void OnClearCache();                                      // slot 7
    void OnTapDown(UINT keyFlags, int x, int y);              // slot 9
    void OnTapUp(UINT keyFlags, int x, int y);                // slot 10
    void Paint(HDC dc);                                       // slot 12
    void OnReceivedSelection();                               // slot 13
    void OnLostSelection();                                   // slot 14
    int OnQueryRefreshCache(TODAYLISTITEM* record);           // slot 15
    void OnOptionsInitDialog(HWND dialog, LPARAM initParam);  // slot 16
    void OnOptionsCommand(HWND dialog, LPARAM dialogParam, UINT notifyCode, UINT controlId,
                          LPARAM control);                   // slot 17
    void OnOptionsOk(HWND dialog, LPARAM dialogParam);       // slot 18
    void OnOptionsCancel(HWND dialog, LPARAM dialogParam);   // slot 19
    void OnOptionsDestroy(HWND dialog, LPARAM dialogParam);  // slot 20
    void QueryColors();                                      // slot 21
    void Invalidate();                                       // slot 22

    // The host while it is still the window's parent; null while someone else's window is: nothing is asked of
    // that one, which may never answer.
    HWND HostWhileParent() const;

    // Painting.
    // A paint the window manager asked for, reaching `reached` of the window.
    void PaintReached(HDC dc, const RECT& reached);
    void RefreshColors();
    bool ShowsOneLineView() const;
    // What the paint draws, taken from the item; loads the shown notice's portrait on first use. The notice it
    // describes (null for the one-line view) is on screen once the paint is done.
    ItemScene DescribeScene(const MessageEntry** described);
    // The key of the notice a paint is about to show, into `key` unless the one kept is the same; false when it
    // cannot be copied.
    bool TakeShownKey(const MessageEntry* shown, WideString& key) const;
    // Notes what the user now sees, for the action: the notice drawn (its key as taken), or none.
    void NoteShownNotice(const MessageEntry* shown, WideString& key);
};

// Inclusive on all four edges, compared as signed values.
bool PointInRect(const RECT& rect, POINT point);
