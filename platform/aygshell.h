// The handheld shell helper library's declarations that the item and our programs use.
#pragma once
#include <windows.h>

#ifdef UNDER_CE

// The device SDK's own header (found through the SDK's include path; this folder is not on it). On the
// device SHLoadDIBitmap is exported by coredll, the notification calls by aygshell.
#include <aygshell.h>

#else

#ifdef AYGSHELL_BUILD
#define AYGSHELL_API extern "C" __declspec(dllexport)
#else
#define AYGSHELL_API extern "C" __declspec(dllimport)
#endif

typedef enum _SHNP { SHNP_INFORM = 0x1B1, SHNP_ICONIC } SHNP;

#define SHNF_STRAIGHTTOTRAY 0x00000001
#define SHNF_CRITICAL 0x00000002
#define SHNF_FORCEMESSAGE 0x00000008
#define SHNF_DISPLAYON 0x00000010
#define SHNF_SILENT 0x00000020
#define SHNF_HASMENU 0x00000040
#define SHNF_TITLETIME 0x00000080

typedef struct _SHNOTIFICATIONDATA {
    DWORD cbStruct;
    DWORD dwID;
    SHNP npPriority;
    DWORD csDuration;  // seconds
    HICON hicon;
    DWORD grfFlags;
    CLSID clsid;
    HWND hwndSink;
    LPCWSTR pszHTML;
    LPCWSTR pszTitle;
    LPARAM lParam;
} SHNOTIFICATIONDATA;

// Loads a device-independent bitmap file (full path). Null on failure; the caller deletes the bitmap.
AYGSHELL_API HBITMAP WINAPI SHLoadDIBitmap(LPCWSTR szFileName);
// Adds a notification to the shell's notification area. Answers ERROR_SUCCESS.
AYGSHELL_API LRESULT WINAPI SHNotificationAdd(SHNOTIFICATIONDATA* pndAdd);
// Removes the notification of a class and id. dwID 0 answers ERROR_INVALID_PARAMETER.
AYGSHELL_API LRESULT WINAPI SHNotificationRemove(const CLSID* pclsid, DWORD dwID);

#endif
