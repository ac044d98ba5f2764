// The timer procedure of the item window: the arrow-highlight timer.
#include "MessengerTodayItem.h"
#include "ModuleState.h"

VOID CALLBACK ItemTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time) {
    MessengerTodayItem* item = itemPointer;
    if (!item) return;
    switch (timerId) {
    case HIGHLIGHT_TIMER_ID:
        item->OnHighlightTimeout();
        item->highlightTimerRunning = false;
        KillTimer(item->window, HIGHLIGHT_TIMER_ID);  // acts once per start
        break;
    default:
        item->OnOtherTimer(message, timerId, time);
        break;
    }
}

VOID CALLBACK ItemExistenceCheckProc(HWND, UINT, UINT_PTR timerId, DWORD) {
    MessengerTodayItem* item = itemPointer;
    // Anyone can post a timer message: its number may be another's timer, so it is killed only if it is ours.
    if (item) item->CheckWindowStillExists(timerId);
}
