// One loaded Today item: its record (whose address the item may keep), its DLL and its window.
#pragma once
#include <windows.h>
#include "platform/todaycmn.h"

struct HostedItem {
    TODAYLISTITEM record = {};
    HMODULE module = nullptr;
    HWND window = nullptr;
    RECT rect = {};       // where the last layout put it, host client coordinates
    bool placed = false;  // shown by the last layout

    const wchar_t* Name() const { return record.szName; }
    // Shown when enabled and as high as at least one pixel.
    bool Showable() const { return window && record.fEnabled && record.cyp > 0; }
    bool Selectable() const { return placed && record.dwSelectability != TODAY_SELECTABILITY_NOTSELECTABLE; }
};
