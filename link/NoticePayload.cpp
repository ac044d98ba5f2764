#include "NoticePayload.h"
#include "../platform/Surrogates.h"
#include "DecimalField.h"

namespace {
constexpr size_t NOTICE_TEXT_FIELD_COUNT = NOTICE_FIELD_TIME;  // the fields before the time are texts
constexpr wchar_t REPLACEMENT_CHARACTER = 0xFFFD;

// The two fields the item draws: readable on one line, and well-formed for the text functions.
void CleanDisplayedText(std::wstring& text) {
    CapDisplayedText(text);
    ReplaceControlChars(text);
    ReplaceLoneSurrogates(text);
}
}  // namespace

std::vector<std::wstring> SplitFields(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> fields;
    if (text.empty()) return fields;
    size_t position = 0;
    for (;;) {
        size_t found = text.find(separator, position);
        if (found == std::wstring::npos) {
            fields.push_back(text.substr(position));
            return fields;
        }
        fields.push_back(text.substr(position, found - position));
        position = found + 1;
        if (position >= text.size()) break;
    }
    // The text ended with the separator: the field after it is empty.
    fields.emplace_back();
    return fields;
}

void CapDisplayedText(std::wstring& text) {
    if (text.size() <= DISPLAYED_TEXT_MAX_UNITS) return;
    size_t kept = DISPLAYED_TEXT_MAX_UNITS;
    if (IS_HIGH_SURROGATE(text[kept - 1]) && IS_LOW_SURROGATE(text[kept])) --kept;
    std::wstring(text, 0, kept).swap(text);
}

void ReplaceControlChars(std::wstring& text) {
    for (wchar_t& c : text) {
        if (c == L'\b' || c == L'\t' || c == L'\n' || c == L'\r') c = L' ';
    }
}

void ReplaceLoneSurrogates(std::wstring& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) {
            ++i;  // a pair: both halves stay
        } else if (IS_HIGH_SURROGATE(text[i]) || IS_LOW_SURROGATE(text[i])) {
            text[i] = REPLACEMENT_CHARACTER;
        }
    }
}

std::unique_ptr<MessageEntry> ParseNotice(const wchar_t* text, size_t count) {
    auto entry = std::make_unique<MessageEntry>();
    std::wstring payload(text, count);
    std::vector<std::wstring> fields = SplitFields(payload, L'\0');
    // A short payload (fewer than five fields) is kept: the fields present fill key, portrait path, sender
    // and text in that order, the rest stay empty and the time 0. The main application's key then still
    // reaches it back, and the list never holds an entry with missing members.
    std::wstring* members[NOTICE_TEXT_FIELD_COUNT] = {&entry->key, &entry->portraitPath, &entry->senderName,
                                                      &entry->messageText};
    for (size_t i = 0; i < fields.size() && i < NOTICE_TEXT_FIELD_COUNT; ++i) *members[i] = fields[i];
    if (fields.size() > NOTICE_FIELD_TIME) {
        ULONGLONG bits = static_cast<ULONGLONG>(ParseDecimalField(fields[NOTICE_FIELD_TIME].c_str()));
        entry->time.dwLowDateTime = static_cast<DWORD>(bits);
        entry->time.dwHighDateTime = static_cast<DWORD>(bits >> 32);
    }
    // The key and the portrait path stay exactly as received: the key goes back byte for byte.
    CleanDisplayedText(entry->senderName);
    CleanDisplayedText(entry->messageText);
    return entry;
}
