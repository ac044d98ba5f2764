// The test's side of the link: a recording window of the item window's class that plays the item, published
// where the item publishes its window.
#pragma once
#include "support/RecordingWindow.h"
#include "support/Sections.h"
#include <windows.h>

class FakeItem : public RecordingWindow {
public:
    // Answers 1 to what the program sends an item, as the item does.
    FakeItem();
    ~FakeItem() override;
    // Writes our window (or `handle`) at offset 0 of "TodayFileMapping", as the item does when it starts.
    void Publish(DWORD handle);
    void Publish() { Publish(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(hwnd()))); }

private:
    HeldSection todaySection;
};
