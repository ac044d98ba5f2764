#include "WideString.h"
#include "ItemMemory.h"
#include <string.h>

bool WideString::Assign(const wchar_t* text, size_t count) {
    Clear();
    if (count == 0) return true;
    // The terminator's unit too; a count that would overflow the size is no text anyone sends.
    if (count >= static_cast<size_t>(-1) / sizeof(wchar_t) - 1) return false;
    wchar_t* copy = static_cast<wchar_t*>(AllocateItemMemory((count + 1) * sizeof(wchar_t)));
    if (!copy) return false;
    memcpy(copy, text, count * sizeof(wchar_t));
    copy[count] = 0;
    units = copy;
    length = count;
    return true;
}

void WideString::Clear() {
    FreeItemMemory(units);
    units = NULL;
    length = 0;
}

void WideString::Swap(WideString& other) {
    wchar_t* otherUnits = other.units;
    const size_t otherLength = other.length;
    other.units = units;
    other.length = length;
    units = otherUnits;
    length = otherLength;
}

bool WideString::Equals(const wchar_t* text, size_t count) const {
    return count == length && (count == 0 || memcmp(units, text, count * sizeof(wchar_t)) == 0);
}
