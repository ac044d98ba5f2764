// The notice payload: five UTF-16 fields separated by U+0000 (key, portrait path, sender, text, time as a
// decimal FILETIME), parsed into a MessageEntry. The fields are read where they lie in the received buffer, and
// only what the item keeps is copied, once.
#pragma once
#include "../kit/LinkWire.h"
#include "MessageEntry.h"

// One field as it lies in the payload.
struct PayloadField {
    const wchar_t* text;
    size_t length;
};

// Builds an entry from `count` UTF-16 units of payload. Null when the notice is refused (a key longer than
// NOTICE_KEY_MAX_UNITS) or memory is short; the caller then keeps nothing. A portrait path longer than
// PORTRAIT_PATH_MAX_UNITS is left out; sender and text are kept to DISPLAYED_TEXT_MAX_UNITS and cleaned.
MessageEntry* ParseNotice(const wchar_t* text, size_t count);
// The payload's first NOTICE_FIELD_COUNT fields, each up to the next separator: n separators give n + 1 fields
// (none for an empty payload), and what lies after the last field wanted is not looked at. The number found.
size_t FindFields(const wchar_t* text, size_t count, PayloadField fields[NOTICE_FIELD_COUNT]);
// How many of the units are kept of a displayed text: at most DISPLAYED_TEXT_MAX_UNITS, never ending between
// the two halves of a surrogate pair.
size_t DisplayedLength(const wchar_t* text, size_t length);
// Backspace, tab, line feed and carriage return become spaces; the length never changes.
void ReplaceControlChars(wchar_t* text, size_t length);
// Every surrogate that is not half of a pair becomes U+FFFD, the replacement character: a lone surrogate is
// no character, and the platform's text functions may hang or corrupt memory on one. The length never
// changes.
void ReplaceLoneSurrogates(wchar_t* text, size_t length);
// The direction controls (embeddings and overrides U+202A to U+202E, isolates U+2066 to U+2069) become U+FFFD:
// an override lets one name pass for another, and drawing one beside characters beyond the Basic Multilingual
// Plane has overrun the heap in the platform's text drawing. The length never changes.
void ReplaceDirectionControls(wchar_t* text, size_t length);
