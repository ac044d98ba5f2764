// The Today screen host's contract: the declarations a Today item and a host share.
// Field layout and numbers are the handheld SDK's public ones; a real host relies on them byte for byte.
#pragma once
#include <windows.h>

#ifdef UNDER_CE

// The device SDK's own header (found through the SDK's include path; this folder is not on it).
#include <todaycmn.h>

#else

#define MAX_ITEMNAME 32

typedef enum _TODAYLISTITEMTYPE {
    tlitOwnerInfo = 0,
    tlitAppointments,
    tlitMail,
    tlitTasks,
    tlitCustom,  // 4: a plug-in item
    tlitNil
} TODAYLISTITEMTYPE;

typedef struct _TODAYLISTITEM {
    WCHAR szName[MAX_ITEMNAME];
    TODAYLISTITEMTYPE tlit;
    DWORD dwOrder;
    DWORD cyp;  // item height in pixels, written by the item
    BOOL fEnabled;
    BOOL fOptions;
    DWORD grfFlags;
    WCHAR szDLLPath[MAX_PATH];
    HINSTANCE hinstDLL;
    HWND hwndCustom;
    BOOL fSizeOnDraw;
    BYTE* prgbCachedData;
    DWORD cbCachedData;
    DWORD dwSelectability;
} TODAYLISTITEM, *LPTODAYLISTITEM;

enum {
    TODAY_SELECTABILITY_NOTSELECTABLE = 0,
    TODAY_SELECTABILITY_SELECTABLE = 1,
    TODAY_SELECTABILITY_CUSTOMSELECTION = 2
};

// Messages an item sends to the host (its parent window).
#define TODAYM_GETCOLOR (WM_USER + 100)       // wParam = TODAYCOLOR_*; answer: COLORREF
#define TODAYM_DRAWWATERMARK (WM_USER + 101)  // lParam = TODAYDRAWWATERMARKINFO*
#define TODAYM_TOOKSELECTION (WM_USER + 102)  // posted; wParam = the item's window

#define TODAYCOLOR_TEXT 0x10000004
#define TODAYCOLOR_HIGHLIGHT 0x10000022
#define TODAYCOLOR_HIGHLIGHTEDTEXT 0x10000023

typedef struct {
    HDC hdc;
    RECT rc;
    HWND hwnd;
} TODAYDRAWWATERMARKINFO;

// Messages the host sends to an item's window.
#define WM_TODAYCUSTOM_CLEARCACHE (WM_USER + 242)
#define WM_TODAYCUSTOM_QUERYREFRESHCACHE (WM_USER + 243)
#define WM_TODAYCUSTOM_RECEIVEDSELECTION (WM_USER + 244)
#define WM_TODAYCUSTOM_LOSTSELECTION (WM_USER + 245)
#define WM_TODAYCUSTOM_USERNAVIGATION (WM_USER + 246)
#define WM_TODAYCUSTOM_ACTION (WM_USER + 247)
#define WM_TODAYCUSTOM_CLOSEDATABASES (WM_USER + 248)

// Export ordinals of an item DLL.
#define ORDINAL_INITIALIZEITEM 240
#define ORDINAL_OPTIONSDIALOGPROC 241
typedef HWND(WINAPI* PFNCUSTOMINITIALIZEITEM)(TODAYLISTITEM*, HWND);
typedef BOOL(WINAPI* PFNCUSTOMOPTIONSDLGPROC)(HWND, UINT, UINT, LONG);

#define IDD_TODAY_CUSTOM 500
#define k_cTodayItemsMax 12

#endif
