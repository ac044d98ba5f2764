// Every call of the messenger kit once, so that the build compiles the kit's header as a handheld messenger's
// compiler would take it (C++03, no exceptions, no run-time type information, pedantic, warnings as errors) and
// the test kit_handheld_imports can check what its code imports. Never run.
#include "kit/MessengerLink.h"

void UseEveryCallOfTheKit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessengerLink link;
    link.Publish(window);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LinkNotice notice = {L"key", L"\\portrait.bmp", L"sender", L"text", now};
    LinkResult each[1];
    link.Push(&notice, 1, each);
    LinkPayload payload;
    link.Add(notice, &payload);
    EncodeLinkNotice(notice, &payload);
    link.Clear();
    link.Status(0);
    link.Detach();
    LinkEvent event;
    if (link.TakeMessage(message, wParam, lParam, &event) && event.kind == LINK_EVENT_ITEM_ATTACHED) link.Push(0, 0);
    link.Withdraw();
}
