// How the host's tests steer the test item and read what happened to it.
#pragma once
#include <windows.h>
#include "platform/todaycmn.h"

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
constexpr LONG TEST_ITEM_MARKER_SIZE = 10;  // a square this big, 4 pixels from the item's top right corner

// Sent to a test item's window: at the next refresh queries report cyp = wParam; the next one answers lParam.
constexpr UINT TEST_ITEM_SET_REFRESH = (WM_APP + 1);
constexpr UINT TEST_ITEM_TAP_WAIT = (WM_APP + 2);
constexpr wchar_t TEST_ITEM_TAP_PEER_VARIABLE[] = L"HOST_TEST_ITEM_TAP_PEER";

// Rows of what happened to a test item beside the messages it received: the host's call of its export 240 (to
// the host window it was given; wParam: the window it made, null when it declined; the record it was handed
// copied in), its DLL unloaded while the item's window was alive (to that window), and the end of a tap's wait.
constexpr UINT TEST_ITEM_INITIALIZED = WM_APP + 100;
constexpr UINT TEST_ITEM_UNLOADED = WM_APP + 101;
// With TEST_ITEM_WAITS_IN_TAP: its stylus-up's wait on the other program has returned (to the item's window).
constexpr UINT TEST_ITEM_TAP_RETURNED = WM_APP + 102;

// One row as the test item records it: what it received from the host (the host's messages, the stylus, its size;
// its options dialog's start and close) and the rows above.
struct TestItemRow {
    HWND window;  // the window that received it
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    BOOL posted;           // taken from the queue, rather than sent
    TODAYLISTITEM record;  // TEST_ITEM_INITIALIZED: the record as handed over; zeros otherwise
};

// Each row goes to the function of this name exported by the program that loaded the item, if it has one;
// otherwise it is appended to the file named by the environment variable, row after row as they are.
constexpr char TEST_ITEM_SINK_EXPORT[] = "HostTestItemRow";
constexpr wchar_t TEST_ITEM_LOG_VARIABLE[] = L"HOST_TEST_ITEM_LOG";
typedef void (*TestItemSink)(const TestItemRow* row);
