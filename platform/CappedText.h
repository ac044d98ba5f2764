// Copying a text into a fixed record field: as much as fits, always terminated.
#pragma once
#include <windows.h>
#include <wchar.h>

// At most capacity - 1 units of `text`, then a terminator; a null text gives an empty one. A field with no room
// is left alone.
inline void CopyCappedText(WCHAR* target, size_t capacity, const WCHAR* text) {
    if (capacity == 0) return;
    target[0] = 0;
    if (text) wcsncpy(target, text, capacity - 1);
    target[capacity - 1] = 0;
}
