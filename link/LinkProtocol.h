// Private window messages between the item and the messenger's main application, and the names both sides
// use to find each other. Both programs include this header.
#pragma once
#include <windows.h>

// Main application -> item window.
#define LINKM_MAIN_ATTACH (WM_USER + 100)  // 1124: wParam = main application's window
#define LINKM_MAIN_DETACH (WM_USER + 101)  // 1125
#define LINKM_CLEAR (WM_USER + 104)        // 1128
#define LINKM_STATUS (WM_USER + 105)       // 1129: wParam = status value
#define LINKM_SORT (WM_USER + 106)         // 1130
// Item -> main application's window.
#define LINKM_ITEM_ATTACH (WM_USER + 102)  // 1126: wParam = item window
#define LINKM_ITEM_DETACH (WM_USER + 103)  // 1127: wParam = item window
#define LINKM_PING (WM_USER + 108)         // 1132: answer non-zero while alive
#define LINKM_ACTIVATE (WM_USER + 109)     // 1133: wParam = item window; answer 1 once in front

// Named sections, each holding one 32-bit window handle at offset 0.
#define TODAY_SECTION_NAME L"TodayFileMapping"
#define MAIN_SECTION_NAME L"ArdenoFileMapping"
#define LINK_SECTION_SIZE 1024

// The main application's top-level window.
#define MAIN_WINDOW_CLASS L"#NETCF_AGL_BASE_"
#define MAIN_WINDOW_TITLE_CHINESE L"\u96C5\u8BFA"
#define MAIN_WINDOW_TITLE_LATIN L"Ardeno"

// The main application's shell notification, which the item removes once the application is gone.
// {46FC2BFD-F90A-4462-B737-5F1DFA5B40F1}
#define MAIN_NOTIFICATION_CLSID_INIT \
    { 0x46FC2BFD, 0xF90A, 0x4462, { 0xB7, 0x37, 0x5F, 0x1D, 0xFA, 0x5B, 0x40, 0xF1 } }
#define MAIN_NOTIFICATION_ID 6377

// Item window identity.
#define ITEM_WINDOW_CLASS L"ArdenoHorTClass"
#define ITEM_WINDOW_NAME L"ArdenoHorT"
