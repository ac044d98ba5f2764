#include "HandheldRules.h"
#include <fstream>

const char kAsOnDesktop[] = "no rule beyond the desktop's";

namespace {

#define SAME(call, page) {call, kAsOnDesktop, page}

const HandheldRule kRules[] = {
    // Rules the stand-ins check, or answer by (tests/support/ItemImports.cpp).
    {"CreateDIBSection", "a 16- or 32-bit DIB takes BI_BITFIELDS and three colour masks (BI_RGB is refused at those "
                         "depths); DIB_PAL_COLORS only at 8 bits; hSection NULL and dwOffset 0",
     "CreateDIBSection (Windows CE 5.0)"},
    {"GetTextExtentExPointW", "the extents are filled only for the characters *lpnFit counts (none without lpnFit)",
     "GetTextExtentExPoint (Windows CE 5.0)"},
    {"RegOpenKeyExW", "ulOptions 0; samDesired not supported, 0 (KEY_READ stands for it on desktop); no "
                      "HKEY_CURRENT_CONFIG, HKEY_PERFORMANCE_DATA or HKEY_DYN_DATA",
     "RegOpenKeyEx (Windows CE 5.0)"},
    {"SetStretchBltMode", "BLACKONWHITE, COLORONCOLOR or BILINEAR (enlarging only), no HALFTONE (HALFTONE stands for "
                          "them on desktop)",
     "SetStretchBltMode (Windows CE 5.0)"},
    {"CreateProcessW", "an image name; attributes, environment and directory NULL, nothing inherited, start-up record "
                       "NULL (a zeroed record with only its size stands for it on desktop)",
     "CreateProcess (Windows CE 5.0); Creating a Process"},
    {"ShowWindow", "SW_HIDE, SW_SHOW, SW_SHOWNA or SW_SHOWNORMAL", "ShowWindow (Windows CE 5.0)"},
    {"CreatePen", "PS_SOLID, PS_DASH (one pixel wide at most) or PS_NULL", "CreatePen (Windows CE 5.0)"},
    {"LocalAlloc", "LMEM_FIXED, LMEM_ZEROINIT or LPTR: no movable memory", "LocalAlloc (Windows CE 5.0)"},
    // Rules the desktop cannot show; the device path keeps them (platform/handheld.h, README).
    {"SetForegroundWindow", "the handle ORed with 0x01 restores the window and reactivates its last active window; a "
                            "window that is not visible needs ShowWindow",
     "SetForegroundWindow (Windows CE 5.0); SetForegroundWindow (Windows Mobile 6.5)"},
    {"SetTimer", "with no window, the timer procedure is called inside GetMessage or PeekMessage",
     "Creating Timers (Windows CE 5.0)"},
    SAME("CloseHandle", "CloseHandle (Windows CE 5.0)"),
    SAME("CreateEventW", "CreateEvent (Windows CE 5.0)"),
    SAME("CreateFileMappingW", "CreateFileMapping (Windows CE 5.0)"),
    SAME("GetCurrentProcessId", "GetCurrentProcessId (Windows CE 5.0)"),
    SAME("VirtualQuery", "VirtualQuery (Windows CE 5.0)"),
    SAME("GetFileAttributesExW", "GetFileAttributesEx (Windows CE 5.0)"),
    SAME("CreateFileW", "CreateFile (Windows CE 5.0)"),
    SAME("ReadFile", "ReadFile (Windows CE 5.0)"),
    SAME("GetExitCodeProcess", "GetExitCodeProcess (Windows CE 5.0)"),
    SAME("GetLastError", "GetLastError (Windows CE 5.0)"),
    SAME("GetModuleFileNameW", "GetModuleFileName (Windows CE 5.0)"),
    SAME("GetModuleHandleW", "GetModuleHandle (Windows CE 5.0)"),
    SAME("GetTickCount", "GetTickCount (Windows CE 5.0)"),
    SAME("LocalFree", "LocalFree (Windows CE 5.0)"),
    SAME("MapViewOfFile", "MapViewOfFile (Windows CE 5.0)"),
    SAME("ResetEvent", "ResetEvent (Windows CE 5.0)"),
    SAME("SetEvent", "SetEvent (Windows CE 5.0)"),
    SAME("SetLastError", "SetLastError (Windows CE 5.0)"),
    SAME("Sleep", "Sleep (Windows CE 5.0)"),
    SAME("UnmapViewOfFile", "UnmapViewOfFile (Windows CE 5.0)"),
    SAME("WaitForSingleObject", "WaitForSingleObject (Windows CE 5.0)"),
    SAME("CompareFileTime", "CompareFileTime (Windows CE 5.0)"),
    SAME("FileTimeToLocalFileTime", "FileTimeToLocalFileTime (Windows CE 5.0)"),
    SAME("FileTimeToSystemTime", "FileTimeToSystemTime (Windows CE 5.0)"),
    SAME("GetLocalTime", "GetLocalTime (Windows CE 5.0)"),
    SAME("GetSystemDefaultLangID", "GetSystemDefaultLangID (Windows CE 5.0)"),
    SAME("GetSystemTime", "GetSystemTime (Windows CE 5.0)"),
    SAME("MultiByteToWideChar", "MultiByteToWideChar (Windows CE 5.0)"),
    SAME("SystemTimeToFileTime", "SystemTimeToFileTime (Windows CE 5.0)"),
    SAME("WideCharToMultiByte", "WideCharToMultiByte (Windows CE 5.0)"),
    SAME("RegCloseKey", "RegCloseKey (Windows CE 5.0)"),
    SAME("RegQueryValueExW", "RegQueryValueEx (Windows CE 5.0)"),
    SAME("BeginPaint", "BeginPaint (Windows CE 5.0)"),
    SAME("CopyRect", "CopyRect (Windows CE 5.0)"),
    SAME("CreateWindowExW", "CreateWindowEx (Windows CE 5.0)"),
    SAME("DefWindowProcW", "DefWindowProc (Windows CE 5.0)"),
    SAME("DestroyWindow", "DestroyWindow (Windows CE 5.0)"),
    SAME("EndDialog", "EndDialog (Windows CE 5.0)"),
    SAME("EnumWindows", "EnumWindows (Windows CE 5.0)"),
    SAME("EndPaint", "EndPaint (Windows CE 5.0)"),
    SAME("FindWindowW", "FindWindow (Windows CE 5.0)"),
    SAME("GetClassNameW", "GetClassName (Windows CE 5.0)"),
    SAME("GetClientRect", "GetClientRect (Windows CE 5.0)"),
    SAME("GetForegroundWindow", "GetForegroundWindow (Windows CE 5.0)"),
    SAME("GetParent", "GetParent (Windows CE 5.0)"),
    SAME("GetSystemMetrics", "GetSystemMetrics (Windows CE 5.0)"),
    SAME("GetWindowLongW", "GetWindowLong (Windows CE 5.0)"),
    SAME("GetWindowRect", "GetWindowRect (Windows CE 5.0)"),
    SAME("GetWindowThreadProcessId", "GetWindowThreadProcessId (Windows CE 5.0)"),
    SAME("InSendMessage", "InSendMessage (Windows CE 5.0)"),
    SAME("InflateRect", "InflateRect (Windows CE 5.0)"),
    SAME("IntersectRect", "IntersectRect (Windows CE 5.0)"),
    SAME("InvalidateRect", "InvalidateRect (Windows CE 5.0)"),
    SAME("IsChild", "IsChild (Windows CE 5.0)"),
    SAME("IsWindow", "IsWindow (Windows CE 5.0)"),
    SAME("IsWindowVisible", "IsWindowVisible (Windows CE 5.0)"),
    SAME("KillTimer", "KillTimer (Windows CE 5.0)"),
    SAME("LoadImageW", "LoadImage (Windows CE 5.0)"),
    SAME("LoadStringW", "LoadString (Windows CE 5.0)"),
    SAME("OffsetRect", "OffsetRect (Windows CE 5.0)"),
    SAME("PostMessageW", "PostMessage (Windows CE 5.0)"),
    SAME("PtInRect", "PtInRect (Windows CE 5.0)"),
    SAME("RegisterClassW", "RegisterClass (Windows CE 5.0)"),
    SAME("SendMessageW", "SendMessage (Windows CE 5.0)"),
    SAME("SendNotifyMessageW", "SendNotifyMessage (Windows CE 5.0)"),
    SAME("SetRect", "SetRect (Windows CE 5.0)"),
    SAME("SetWindowLongW", "SetWindowLong (Windows CE 5.0)"),
    SAME("SetWindowPos", "SetWindowPos (Windows CE 5.0)"),
    SAME("UnregisterClassW", "UnregisterClass (Windows CE 5.0)"),
    SAME("UpdateWindow", "UpdateWindow (Windows CE 5.0)"),
    SAME("wsprintfW", "wsprintf (Windows CE 5.0)"),
    SAME("BitBlt", "BitBlt (Windows CE 5.0)"),
    SAME("CreateCompatibleBitmap", "CreateCompatibleBitmap (Windows CE 5.0)"),
    SAME("CreateCompatibleDC", "CreateCompatibleDC (Windows CE 5.0)"),
    SAME("CreateFontIndirectW", "CreateFontIndirect (Windows CE 5.0)"),
    SAME("CreateSolidBrush", "CreateSolidBrush (Windows CE 5.0)"),
    SAME("DeleteDC", "DeleteDC (Windows CE 5.0)"),
    SAME("DeleteObject", "DeleteObject (Windows CE 5.0)"),
    SAME("DestroyIcon", "DestroyIcon (Windows CE 5.0)"),
    SAME("DrawIconEx", "DrawIconEx (Windows CE 5.0)"),
    SAME("DrawTextW", "DrawText (Windows CE 5.0)"),
    SAME("FillRect", "FillRect (Windows CE 5.0)"),
    SAME("GetDC", "GetDC (Windows CE 5.0)"),
    SAME("GetDeviceCaps", "GetDeviceCaps (Windows CE 5.0)"),
    SAME("GetIconInfo", "GetIconInfo (Windows CE 5.0)"),
    SAME("GetObjectW", "GetObject (Windows CE 5.0)"),
    SAME("GetPixel", "GetPixel (Windows CE 5.0)"),
    SAME("GetStockObject", "GetStockObject (Windows CE 5.0)"),
    SAME("LineTo", "LineTo (Windows CE 5.0)"),
    SAME("MoveToEx", "MoveToEx (Windows CE 5.0)"),
    SAME("ReleaseDC", "ReleaseDC (Windows CE 5.0)"),
    SAME("SelectObject", "SelectObject (Windows CE 5.0)"),
    SAME("SetBkColor", "SetBkColor (Windows CE 5.0)"),
    SAME("SetBkMode", "SetBkMode (Windows CE 5.0)"),
    SAME("SetTextColor", "SetTextColor (Windows CE 5.0)"),
    SAME("StretchBlt", "StretchBlt (Windows CE 5.0)"),
    SAME("SHLoadDIBitmap", "SHLoadDIBitmap"),
    SAME("SHNotificationAdd", "SHNotificationAdd"),
    SAME("SHNotificationRemove", "SHNotificationRemove"),
    SAME("_wtoi", "_wtoi (Windows CE 5.0)"),
    SAME("_wtol", "_wtol (Windows CE 5.0)"),
    SAME("memcmp", "memcmp (Windows CE 5.0)"),
    SAME("memcpy", "memcpy (Windows CE 5.0)"),
    SAME("memmove", "memmove (Windows CE 5.0)"),
    SAME("memset", "memset (Windows CE 5.0)"),
    SAME("wcscmp", "wcscmp (Windows CE 5.0)"),
    SAME("wcslen", "wcslen (Windows CE 5.0)"),
    SAME("wcsncmp", "wcsncmp (Windows CE 5.0)"),
    SAME("wcsncpy", "wcsncpy (Windows CE 5.0)"),
};

}  // namespace

const HandheldRule* HandheldRuleFor(const std::string& call) {
    for (const HandheldRule& rule : kRules)
        if (call == rule.call) return &rule;
    return nullptr;
}

std::vector<std::string> HandheldApiFunctions() {
    std::vector<std::string> names;
    std::ifstream list(ARDENO_HANDHELD_API_LIST);
    for (std::string line; std::getline(list, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty() && line[0] != '#') names.push_back(line);
    }
    return names;
}
