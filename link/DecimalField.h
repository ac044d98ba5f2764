// The notice's time field as a number. The handheld's C runtime has no _wtoi64, so the item reads the field
// itself, with _wtoi64's results for every input.
#pragma once
#include <windows.h>

// Leading white space, one optional sign, then decimal digits up to the first character that is not one or the
// end of the `length` units. No digits give 0. Digits beyond the 64-bit range wrap around modulo 2^64, and the
// sign negates the wrapped value, as the desktop runtime's _wtoi64 does. Null reads as the empty text.
LONGLONG ParseDecimalField(const wchar_t* text, size_t length);
