// Private window messages between the item and the messenger's main application, and the names both sides
// use to find each other. The item, the main application's stand-in and the tests include this header.
#pragma once
#include <windows.h>

// Main application -> item window.
constexpr UINT LINKM_MAIN_ATTACH = WM_USER + 100;  // 1124: wParam = main application's window
constexpr UINT LINKM_MAIN_DETACH = WM_USER + 101;  // 1125
constexpr UINT LINKM_CLEAR = WM_USER + 104;        // 1128
constexpr UINT LINKM_STATUS = WM_USER + 105;       // 1129: wParam = status value
constexpr UINT LINKM_SORT = WM_USER + 106;         // 1130
// Item -> main application's window.
constexpr UINT LINKM_ITEM_ATTACH = WM_USER + 102;  // 1126: wParam = item window
constexpr UINT LINKM_ITEM_DETACH = WM_USER + 103;  // 1127: wParam = item window
constexpr UINT LINKM_PING = WM_USER + 108;         // 1132: answer non-zero while alive
constexpr UINT LINKM_ACTIVATE = WM_USER + 109;     // 1133: wParam = item window; answer 1 once in front

// Named sections, each holding one 32-bit window handle at offset 0.
constexpr wchar_t TODAY_SECTION_NAME[] = L"TodayFileMapping";
constexpr wchar_t MAIN_SECTION_NAME[] = L"ArdenoFileMapping";
constexpr DWORD LINK_SECTION_SIZE = 1024;

// The main application's top-level window.
constexpr wchar_t MAIN_WINDOW_CLASS[] = L"#NETCF_AGL_BASE_";
constexpr wchar_t MAIN_WINDOW_TITLE_CHINESE[] = L"\u96C5\u8BFA";
constexpr wchar_t MAIN_WINDOW_TITLE_LATIN[] = L"Ardeno";

// The main application's shell notification, which the item removes once the application is gone.
constexpr CLSID MAIN_NOTIFICATION_CLSID = {
    0x46FC2BFD, 0xF90A, 0x4462, {0xB7, 0x37, 0x5F, 0x1D, 0xFA, 0x5B, 0x40, 0xF1}};
constexpr DWORD MAIN_NOTIFICATION_ID = 6377;

// Item window identity.
constexpr wchar_t ITEM_WINDOW_CLASS[] = L"ArdenoHorTClass";
constexpr wchar_t ITEM_WINDOW_NAME[] = L"ArdenoHorT";
