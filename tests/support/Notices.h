// Notice payloads as the main application builds them, and their delivery to the item window.
#pragma once
#include <windows.h>
#include <string>

// Key, portrait path, sender, text and time joined by U+0000, with no terminator.
std::wstring NoticePayload(const std::wstring& key, const std::wstring& portraitPath, const std::wstring& sender,
                           const std::wstring& text, const std::wstring& time);
// A notice with only a key and a time; the other fields are plain text.
std::wstring NoticePayload(const std::wstring& key, ULONGLONG time);

// Sends the payload to the item window by WM_COPYDATA (dwData = kind) and returns the answer.
LRESULT SendNotice(HWND item, const std::wstring& payload, ULONG_PTR kind = 0);
