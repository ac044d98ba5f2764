#include "FakeItem.h"
#include "kit/LinkWire.h"

FakeItem::FakeItem()
    : RecordingWindow(ITEM_WINDOW_CLASS, ITEM_WINDOW_NAME, nullptr, 10, 10), todaySection(TODAY_SECTION_NAME) {
    for (UINT message :
         {static_cast<UINT>(WM_COPYDATA), LINKM_MAIN_ATTACH, LINKM_MAIN_DETACH, LINKM_CLEAR, LINKM_STATUS, LINKM_SORT})
        answers[message] = 1;
}

FakeItem::~FakeItem() { Publish(0); }

void FakeItem::Publish(DWORD handle) { todaySection.WriteHandle(handle); }
