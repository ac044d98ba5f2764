#include "NoticePayload.h"
#include "../platform/ItemMemory.h"
#include "../platform/Surrogates.h"
#include "../platform/SurrogateSafeCut.h"
#include "DecimalField.h"

namespace {
const wchar_t REPLACEMENT_CHARACTER = 0xFFFD;

// The two fields the item draws: at most DISPLAYED_TEXT_MAX_UNITS, readable on one line, and well-formed for
// the text functions.
bool KeepDisplayed(WideString& kept, const PayloadField& field) {
    if (!kept.Assign(field.text, DisplayedLength(field.text, field.length))) return false;
    ReplaceControlChars(kept.Units(), kept.Length());
    ReplaceLoneSurrogates(kept.Units(), kept.Length());
    ReplaceDirectionControls(kept.Units(), kept.Length());
    return true;
}

FILETIME TimeOf(const PayloadField& field) {
    const ULONGLONG bits = static_cast<ULONGLONG>(ParseDecimalField(field.text, field.length));
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(bits);
    time.dwHighDateTime = static_cast<DWORD>(bits >> 32);
    return time;
}

}  // namespace

size_t FindFields(const wchar_t* text, size_t count, PayloadField fields[NOTICE_FIELD_COUNT]) {
    if (!text || count == 0) return 0;
    size_t found = 0, start = 0;
    for (size_t at = 0; found < NOTICE_FIELD_COUNT; ++at) {
        if (at < count && text[at] != NOTICE_FIELD_SEPARATOR) continue;
        fields[found].text = text + start;
        fields[found].length = at - start;
        ++found;
        if (at >= count) break;
        start = at + 1;
    }
    return found;
}

size_t DisplayedLength(const wchar_t* text, size_t length) {
    return SurrogateSafeCut(text, length, DISPLAYED_TEXT_MAX_UNITS);
}

void ReplaceControlChars(wchar_t* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == L'\b' || text[i] == L'\t' || text[i] == L'\n' || text[i] == L'\r') text[i] = L' ';
    }
}

void ReplaceLoneSurrogates(wchar_t* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (IS_HIGH_SURROGATE(text[i]) && i + 1 < length && IS_LOW_SURROGATE(text[i + 1])) {
            ++i;  // a pair: both halves stay
        } else if (IS_HIGH_SURROGATE(text[i]) || IS_LOW_SURROGATE(text[i])) {
            text[i] = REPLACEMENT_CHARACTER;
        }
    }
}

void ReplaceDirectionControls(wchar_t* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if ((text[i] >= 0x202A && text[i] <= 0x202E) || (text[i] >= 0x2066 && text[i] <= 0x2069))
            text[i] = REPLACEMENT_CHARACTER;
    }
}

MessageEntry* ParseNotice(const wchar_t* text, size_t count) {
    PayloadField fields[NOTICE_FIELD_COUNT];
    const size_t found = FindFields(text, count, fields);
    // A short payload (fewer than five fields) is kept: the fields present fill key, portrait path, sender and
    // text in that order, the rest stay empty and the time 0. The main application's key then still reaches it
    // back, and the list never holds an entry with missing members.
    if (found > NOTICE_FIELD_KEY && fields[NOTICE_FIELD_KEY].length > NOTICE_KEY_MAX_UNITS) return NULL;
    MessageEntry* entry = ITEM_NEW MessageEntry();
    if (!entry) return NULL;
    bool kept = true;
    // The key goes back byte for byte; the portrait path is kept as sent, unless no path could be that long.
    if (found > NOTICE_FIELD_KEY) kept = entry->key.Assign(fields[NOTICE_FIELD_KEY].text, fields[NOTICE_FIELD_KEY].length);
    if (kept && found > NOTICE_FIELD_PORTRAIT && fields[NOTICE_FIELD_PORTRAIT].length <= PORTRAIT_PATH_MAX_UNITS)
        kept = entry->portraitPath.Assign(fields[NOTICE_FIELD_PORTRAIT].text, fields[NOTICE_FIELD_PORTRAIT].length);
    if (kept && found > NOTICE_FIELD_SENDER) kept = KeepDisplayed(entry->senderName, fields[NOTICE_FIELD_SENDER]);
    if (kept && found > NOTICE_FIELD_TEXT) kept = KeepDisplayed(entry->messageText, fields[NOTICE_FIELD_TEXT]);
    if (!kept) {
        delete entry;
        return NULL;
    }
    if (found > NOTICE_FIELD_TIME) entry->time = TimeOf(fields[NOTICE_FIELD_TIME]);
    return entry;
}
