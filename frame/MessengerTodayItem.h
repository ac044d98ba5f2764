// The item: the one object the module holds, and the host callbacks it implements.
#pragma once
#include "../render/ItemScene.h"
#include "MessengerItemModel.h"

class MessengerTodayItem : public MessengerItemModel {
public:
    explicit MessengerTodayItem(HINSTANCE module) : MessengerItemModel(module) {}
    ~MessengerTodayItem() override = default;

    int GetItemHeight() override;                                      // slot 5
    int OnNavigationKey(UINT virtualKey) override;                     // slot 6
    void OnClearCache() override;                                      // slot 7
    void OnTapDown(UINT keyFlags, int x, int y) override;              // slot 9
    void OnTapUp(UINT keyFlags, int x, int y) override;                // slot 10
    void Paint(HDC dc) override;                                       // slot 12
    void OnReceivedSelection() override;                               // slot 13
    void OnLostSelection() override;                                   // slot 14
    int OnQueryRefreshCache(TODAYLISTITEM* record) override;           // slot 15
    void OnOptionsInitDialog(HWND dialog, LPARAM initParam) override;  // slot 16
    void OnOptionsCommand(HWND dialog, LPARAM dialogParam, UINT notifyCode, UINT controlId,
                          LPARAM control) override;                   // slot 17
    void OnOptionsOk(HWND dialog, LPARAM dialogParam) override;       // slot 18
    void OnOptionsCancel(HWND dialog, LPARAM dialogParam) override;   // slot 19
    void OnOptionsDestroy(HWND dialog, LPARAM dialogParam) override;  // slot 20
    void QueryColors() override;                                      // slot 21
    void Invalidate() override;                                       // slot 22

    // Painting.
    void RefreshColors();
    bool ShowsOneLineView() const;
    // What the paint draws, taken from the item; loads the shown notice's portrait on first use.
    ItemScene DescribeScene();
    // The notice the scene described last (null for the one-line view); it is on screen once the paint is done.
    const MessageEntry* describedNotice = nullptr;
};

// Inclusive on all four edges, compared as signed values.
bool PointInRect(const RECT& rect, POINT point);
