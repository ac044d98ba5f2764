// The notice payload: five UTF-16 fields separated by U+0000 (key, portrait path, sender, text, time as a
// decimal FILETIME), parsed into a MessageEntry.
#pragma once
#include "../kit/LinkWire.h"
#include "MessageEntry.h"
#include <memory>
#include <string>
#include <vector>


// Builds an entry from `count` UTF-16 units of payload.
std::unique_ptr<MessageEntry> ParseNotice(const wchar_t* text, size_t count);
// Splits on the separator; empty fields are kept, so n separators give n + 1 fields (none for "").
std::vector<std::wstring> SplitFields(const std::wstring& text, wchar_t separator);
// Cuts the text to DISPLAYED_TEXT_MAX_UNITS, never between the two halves of a surrogate pair; a cut text
// keeps no more storage than it needs.
void CapDisplayedText(std::wstring& text);
// Backspace, tab, line feed and carriage return become spaces; the length never changes.
void ReplaceControlChars(std::wstring& text);
// Every surrogate that is not half of a pair becomes U+FFFD, the replacement character: a lone surrogate is
// no character, and the platform's text functions may hang or corrupt memory on one. The length never
// changes.
void ReplaceLoneSurrogates(std::wstring& text);
