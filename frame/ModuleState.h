// Module-wide values: the one item and what the host's queries share between paints.
#pragma once
#include <windows.h>
#include "../platform/todaycmn.h"

class MessengerTodayItem;

extern MessengerTodayItem* itemPointer;
extern LPARAM optionsDialogParameter;
extern TODAYLISTITEM* hostItemRecord;  // the record the host gave at initialisation: its refresh queries name it
extern int lineCount;   // 1 or 3, written by the height query
extern int lineHeight;  // 20 or 24 at 96 dpi, written by every paint; 0 before the first

void CreateItem(HINSTANCE module);
void DestroyItem();

LRESULT CALLBACK ItemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
VOID CALLBACK ItemTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);
// The thread timer that looks, once a destroy message is over, whether the item window still exists.
VOID CALLBACK ItemExistenceCheckProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM* record, HWND parent);
extern "C" BOOL WINAPI CustomItemOptionsDlgProc(HWND dialog, UINT message, UINT wParam, LONG lParam);
