// The wire between the messenger's main application and its Today item: the window messages both ways, the two
// named sections through which they find each other, the windows each side looks for, the notice payload's
// layout and the bounds of what the item takes. Both sides include this one header: the item (link/) and the
// messenger kit. It is written in C++03 without the standard library, so it builds wherever either side does.
#ifndef ARDENO_KIT_LINK_WIRE_H
#define ARDENO_KIT_LINK_WIRE_H
#include <windows.h>

// Main application -> item window.
static const UINT LINKM_MAIN_ATTACH = WM_USER + 100;  // 1124: wParam = main application's window
static const UINT LINKM_MAIN_DETACH = WM_USER + 101;  // 1125
static const UINT LINKM_CLEAR = WM_USER + 104;        // 1128
static const UINT LINKM_STATUS = WM_USER + 105;       // 1129: wParam = status value
static const UINT LINKM_SORT = WM_USER + 106;         // 1130
// Item -> main application's window.
static const UINT LINKM_ITEM_ATTACH = WM_USER + 102;  // 1126: wParam = item window
static const UINT LINKM_ITEM_DETACH = WM_USER + 103;  // 1127: wParam = item window
static const UINT LINKM_PING = WM_USER + 108;         // 1132: answer non-zero while alive
static const UINT LINKM_ACTIVATE = WM_USER + 109;     // 1133: wParam = item window; answer 1 once in front
// The only answer to LINKM_ACTIVATE that means the main application came to the front.
static const LRESULT LINK_ACTIVATION_DONE = 1;

// Named sections, each holding one 32-bit window handle at offset 0 (0: none).
static const wchar_t TODAY_SECTION_NAME[] = L"TodayFileMapping";
static const wchar_t MAIN_SECTION_NAME[] = L"ArdenoFileMapping";
static const DWORD LINK_SECTION_SIZE = 1024;

// The main application's top-level window.
static const wchar_t MAIN_WINDOW_CLASS[] = L"#NETCF_AGL_BASE_";
static const wchar_t MAIN_WINDOW_TITLE_CHINESE[] = L"\u96C5\u8BFA";
static const wchar_t MAIN_WINDOW_TITLE_LATIN[] = L"Ardeno";

// The main application's shell notification, which the item removes once the application is gone.
static const CLSID MAIN_NOTIFICATION_CLSID = {
    0x46FC2BFD, 0xF90A, 0x4462, {0xB7, 0x37, 0x5F, 0x1D, 0xFA, 0x5B, 0x40, 0xF1}};
static const DWORD MAIN_NOTIFICATION_ID = 6377;

// The item window.
static const wchar_t ITEM_WINDOW_CLASS[] = L"ArdenoHorTClass";
static const wchar_t ITEM_WINDOW_NAME[] = L"ArdenoHorT";

// The copy-data kind (dwData) of a notice and of a handed-back key; copy-data of any other kind is ignored.
static const ULONG_PTR LINK_COPYDATA_KIND = 0;

// A notice: one WM_COPYDATA of UTF-16 text, these fields in this order, separated by U+0000 (no terminator
// needed). The time is a FILETIME count in decimal.
enum NoticeField {
    NOTICE_FIELD_KEY,
    NOTICE_FIELD_PORTRAIT,
    NOTICE_FIELD_SENDER,
    NOTICE_FIELD_TEXT,
    NOTICE_FIELD_TIME,
    NOTICE_FIELD_COUNT
};
static const wchar_t NOTICE_FIELD_SEPARATOR = L'\0';

// What the item takes. A payload over NOTICE_PAYLOAD_MAX_BYTES, or a key over NOTICE_KEY_MAX_UNITS, is refused:
// answered 0 and nothing kept. A portrait path longer than PORTRAIT_PATH_MAX_UNITS (a path of MAX_PATH units
// has no room for its terminator) means no portrait. Sender and text are kept to DISPLAYED_TEXT_MAX_UNITS each,
// never cut inside a surrogate pair: the item's lines show a few dozen characters.
static const DWORD NOTICE_PAYLOAD_MAX_BYTES = 64 * 1024;
static const DWORD NOTICE_KEY_MAX_UNITS = 1024;
static const DWORD PORTRAIT_PATH_MAX_UNITS = MAX_PATH - 1;
// A portrait is loaded only from an absolute path on the device's own storage (one leading backslash on the
// handheld, a drive letter on desktop; no "\\" share, no "*" or "?", no colon past a drive's), naming a regular
// file of at most PORTRAIT_FILE_MAX_BYTES whose picture is at most PORTRAIT_SIDE_MAX_PIXELS wide and tall.
// Anything else means no portrait for that notice.
static const DWORD PORTRAIT_FILE_MAX_BYTES = 1024 * 1024;
static const LONG PORTRAIT_SIDE_MAX_PIXELS = 1024;
static const DWORD DISPLAYED_TEXT_MAX_UNITS = 256;
// What the item holds at once: at most NOTICES_HELD_MAX notices, and at most NOTICE_TEXTS_HELD_MAX_BYTES of the
// texts it keeps of them (key, portrait path, sender and text, two bytes a unit). A notice past either bound is
// refused like the others: answered 0, nothing kept. A clear, a status or an attach makes room again.
static const DWORD NOTICES_HELD_MAX = 1000;
static const DWORD NOTICE_TEXTS_HELD_MAX_BYTES = 1024 * 1024;

// How long either side waits for the other's answer to one message, so that a busy or hung peer never freezes
// the Today screen (or the messenger) for long.
static const DWORD LINK_REPLY_TIMEOUT_MS = 3000;

#endif
