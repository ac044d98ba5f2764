// A messenger's main application, as small as it can be and still complete: a window, three unread messages
// shown on the Today screen by the item, a message opened when the user taps it there, and the messages
// pushed again whenever the item (re)starts or was busy. The link to the item is the kit's five steps, marked
// below; what the link says is logged on the window's second line.
#include "../MessengerLink.h"  // step 1
#include <tchar.h>

namespace {

struct Message {
    const wchar_t* key;
    const wchar_t* sender;
    const wchar_t* text;
    WORD hour, minute;  // today
    bool read;
};

Message messages[] = {
    {L"m1", L"Li Wei", L"Lunch at noon?", 9, 30, false},
    {L"m2", L"Anna", L"The train is late.", 10, 5, false},
    {L"m3", L"\u738B\u82B3", L"\u660E\u5929\u89C1", 11, 45, false},
};
const UINT MESSAGE_COUNT = sizeof(messages) / sizeof(messages[0]);

// One link for the program's life.
MessengerLink link;
// A push the item was too busy to take goes again at its next ping.
bool pushAgain = false;
// The line that shows the message opened last, and the line that shows what the link said last.
HWND openedLine = 0;
HWND logLine = 0;

void Log(const wchar_t* what, const wchar_t* text) {
    wchar_t line[160];
    wsprintfW(line, L"%s: %s", what, text);
    SetWindowTextW(logLine, line);
}

// Step 3: the unread messages go to the item, each time they change.
void PushUnread() {
    LinkNotice notices[MESSAGE_COUNT];
    UINT count = 0;
    SYSTEMTIME time;
    GetLocalTime(&time);
    time.wSecond = time.wMilliseconds = 0;
    for (UINT i = 0; i < MESSAGE_COUNT; ++i) {
        if (messages[i].read) continue;
        time.wHour = messages[i].hour;
        time.wMinute = messages[i].minute;
        notices[count++] =
            LinkNotice().SetKey(messages[i].key).SetSender(messages[i].sender).SetText(messages[i].text).SetTime(time);
    }
    const LinkResult pushed = link.Push(notices, count);
    pushAgain = pushed == LINK_ITEM_BUSY;
    Log(L"push", LinkResultText(pushed));
}

// The user tapped a message on the Today screen: show it; read, it leaves the item. 0: not one of ours.
LRESULT OpenMessage(const wchar_t* key) {
    for (UINT i = 0; i < MESSAGE_COUNT; ++i) {
        if (wcscmp(messages[i].key, key) != 0) continue;
        wchar_t line[128];
        wsprintfW(line, L"%s: %s", messages[i].sender, messages[i].text);
        SetWindowTextW(openedLine, line);
        messages[i].read = true;
        PushUnread();
        return 1;
    }
    return 0;
}

// Step 4: what the item sends.
LRESULT OnLinkEvent(LinkEvent& event) {
    Log(L"event", LinkEventText(event.kind));
    if (event.kind == LINK_EVENT_ITEM_ATTACHED || (event.kind == LINK_EVENT_PINGED && pushAgain)) PushUnread();
    if (event.kind == LINK_EVENT_KEY) event.answer = OpenMessage(event.key);
    return event.answer;
}

LRESULT OnCreate(HWND window) {
    openedLine =
        CreateWindowExW(0, L"STATIC", L"3 unread messages", WS_CHILD | WS_VISIBLE, 8, 8, 220, 40, window, 0, 0, 0);
    logLine = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 8, 56, 220, 200, window, 0, 0, 0);
    return openedLine && logLine ? 0 : -1;
}

void OnDestroy() {
    link.Withdraw();  // step 5: the goodbye
    PostQuitMessage(0);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LinkEvent event;
    if (link.TakeMessage(message, wParam, lParam, &event)) return OnLinkEvent(event);
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// The item starts the program with no command line: it shows its window and pushes what is unread.
int WINAPI _tWinMain(HINSTANCE instance, HINSTANCE, LPTSTR, int) {
    WNDCLASSW windowClass = WNDCLASSW();
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;  // the item finds the application by class and title
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE_LATIN,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  240, 320, 0, 0, instance, 0);
    if (!window) return 1;
    const LinkResult published = link.Publish(window);  // step 2: the item, when it starts later, finds the window
    if (published != LINK_DONE) Log(L"publish", LinkResultText(published));
    PushUnread();  // it may be running already
    MSG message;
    while (GetMessageW(&message, 0, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
