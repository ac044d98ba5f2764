#include "ItemStage.h"
#include "frame/ModuleState.h"

std::vector<Notice> Keyed(const std::wstring& prefix, int n) {
    std::vector<Notice> notices = NumberedNotices(n);
    for (int i = 0; i < n; ++i) notices[static_cast<size_t>(i)].key = prefix + std::to_wstring(i);
    return notices;
}

Stage::Stage() : LoadedItem(false) {
    mainSection.WriteHandle(DWORD{0});
    itemPointer = new MessengerTodayItem(dll.module);
    model = itemPointer;
    item = InitializeCustomItem(&record, host.hwnd());
}

void Stage::Unload() {
    DestroyItem();
    model = nullptr;
}

ThreadedMainApplication& Stage::First(const ThreadedMainApplication::Options& options) {
    first = std::make_unique<ThreadedMainApplication>(options);
    return *first;
}

ThreadedMainApplication& Stage::Second() {
    second = std::make_unique<ThreadedMainApplication>();
    return *second;
}

ThreadedMainApplication& Stage::Linked(const wchar_t* prefix) {
    ThreadedMainApplication& main = First();
    Push(main.hwnd(), prefix, 2);
    UpdateWindow(item);
    return main;
}

std::vector<UINT> Stage::LinkMessagesToHost() const {
    std::vector<UINT> sent;
    for (const RecordedMessage& m : host.Messages())
        if (FromItem(m.message) && m.delivery == Delivery::Sent) sent.push_back(m.message);
    return sent;
}
