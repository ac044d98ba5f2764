// How the host's tests steer the test item and read what happened to it.
#pragma once
#include <windows.h>

// grfFlags (the registry's "Flags") of a test item.
constexpr DWORD TEST_ITEM_HEIGHT_MASK = 0x0FFF;       // the cyp the item sets when it starts
constexpr DWORD TEST_ITEM_REFUSE_SELECTION = 0x1000;  // RECEIVEDSELECTION answers 0
constexpr DWORD TEST_ITEM_INIT_NULL = 0x2000;         // InitializeCustomItem returns null although enabled
constexpr DWORD TEST_ITEM_KEEP_NAVIGATION = 0x4000;   // USERNAVIGATION answers 1 to every key
constexpr DWORD TEST_ITEM_LAZY = 0x8000;              // does not repaint itself when the selection comes or goes
// On stylus-up it sends TEST_ITEM_TAP_WAIT to the window named (in decimal) by the environment variable
// TEST_ITEM_TAP_PEER_VARIABLE and waits for the answer, as an item whose tap waits on another program.
constexpr DWORD TEST_ITEM_WAITS_IN_TAP = 0x01000000;
constexpr DWORD TEST_ITEM_COLOR_SHIFT = 16;  // bits 16-23: colour of the marker square, an index of kTestItemColors

constexpr DWORD TEST_ITEM_FLAGS(DWORD height, DWORD color) { return height | (color << TEST_ITEM_COLOR_SHIFT); }

// Marker colours; index 0 draws no marker.
static const COLORREF kTestItemColors[] = {0, RGB(0xE0, 0x20, 0x20), RGB(0x20, 0xB0, 0x30), RGB(0x20, 0x40, 0xE0),
                                           RGB(0xF0, 0x90, 0x10)};
constexpr DWORD TEST_ITEM_MARKER_SIZE = 10;  // a square this big, 4 pixels from the item's top right corner

// Sent to a test item's window: at the next refresh queries report cyp = wParam; the next one answers lParam.
constexpr UINT TEST_ITEM_SET_REFRESH = (WM_APP + 1);
constexpr UINT TEST_ITEM_TAP_WAIT = (WM_APP + 2);
constexpr wchar_t TEST_ITEM_TAP_PEER_VARIABLE[] = L"HOST_TEST_ITEM_TAP_PEER";

// Every event is one line "NAME:event [args]". It goes to the function of this name exported by the program
// that loaded the item, if it has one; otherwise it is appended to the file named by the environment variable.
constexpr char TEST_ITEM_SINK_EXPORT[] = "HostTestItemEvent";
constexpr wchar_t TEST_ITEM_LOG_VARIABLE[] = L"HOST_TEST_ITEM_LOG";
typedef void (*TestItemSink)(const char* line);
