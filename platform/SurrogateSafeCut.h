// Cutting UTF-16 text to a number of units without leaving half a surrogate pair behind. The messenger kit keeps a
// copy of its own, since it includes nothing of the item.
#pragma once
#include "Surrogates.h"
#include <stddef.h>

// How many of the text's units to keep when at most `limit` may be kept: all of them when they fit; otherwise
// `limit`, or one fewer where that would end between the halves of a pair, which then goes whole.
inline size_t SurrogateSafeCut(const wchar_t* text, size_t length, size_t limit) {
    if (length <= limit) return length;
    if (limit > 0 && IS_HIGH_SURROGATE(text[limit - 1]) && IS_LOW_SURROGATE(text[limit])) return limit - 1;
    return limit;
}
