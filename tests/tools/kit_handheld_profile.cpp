// Every call of the messenger kit once, so that the build compiles the kit's header as a handheld messenger's
// compiler would take it (C++03, no exceptions, no run-time type information, pedantic, warnings as errors) and
// the test kit_handheld_imports can check what its code imports. Never run.
#include "kit/MessengerLink.h"

// Where the texts go, so that the compiler keeps them.
const wchar_t* volatile lastText;

void UseEveryCallOfTheKit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessengerLink link;
    link.Publish(window);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LinkNotice notice =
        LinkNotice().SetKey(L"key").SetPortrait(L"\\portrait.bmp").SetSender(L"sender").SetText(L"text").SetTime(now);
    LinkResult each[1];
    link.Push(&notice, 1, each);
    LinkPayload payload;
    link.Add(notice, &payload);
    EncodeLinkNotice(notice, &payload);
    link.Clear();
    link.Status();
    link.Detach();
    LinkEvent event;
    if (link.TakeMessage(message, wParam, lParam, &event) && event.kind == LINK_EVENT_ITEM_ATTACHED) link.Push(0, 0);
    lastText = LinkEventText(event.kind);
    lastText = LinkResultText(link.Withdraw());
}
