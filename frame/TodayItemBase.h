// Level 2 of the item: the operations the Today host's messages reach.
#pragma once
#include "ItemWindow.h"
#include "../platform/todaycmn.h"

class TodayItemBase : public ItemWindow {
public:
    TodayItemBase();
    virtual ~TodayItemBase() {}

    virtual int GetItemHeight();                                                   // slot 5
    virtual int OnNavigationKey(UINT virtualKey) = 0;                              // slot 6
    virtual void OnClearCache() = 0;                                               // slot 7
    virtual int OnAction() = 0;                                                    // slot 8
    virtual void OnTapDown(UINT keyFlags, int x, int y) = 0;                       // slot 9
    virtual void OnTapUp(UINT keyFlags, int x, int y) = 0;                         // slot 10
    virtual BOOL OnCustomMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;  // slot 11
    virtual void Paint(HDC dc) = 0;                                                // slot 12
    virtual void OnReceivedSelection() = 0;                                        // slot 13
    virtual void OnLostSelection() = 0;                                            // slot 14
    virtual int OnQueryRefreshCache(TODAYLISTITEM* record) = 0;                    // slot 15
    virtual void OnOptionsInitDialog(HWND dialog, LPARAM initParam) = 0;           // slot 16
    virtual void OnOptionsCommand(HWND dialog, LPARAM dialogParam, UINT notifyCode, UINT controlId,
                                  LPARAM control) = 0;                   // slot 17
    virtual void OnOptionsOk(HWND dialog, LPARAM dialogParam) = 0;       // slot 18
    virtual void OnOptionsCancel(HWND dialog, LPARAM dialogParam) = 0;   // slot 19
    virtual void OnOptionsDestroy(HWND dialog, LPARAM dialogParam) = 0;  // slot 20

    bool selected;
};
