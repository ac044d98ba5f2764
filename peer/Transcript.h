// The conversation with the item, one JSON object a line, written through at once so that a person or a
// test can follow it while the program runs. Lines look like
//   {"dir":"sent","msg":1124,"name":"LINKM_MAIN_ATTACH","wParam":65620,"lParam":0,"result":1,"t":12}
// and copy-data lines add "dwData", "cbData", "text" (the payload as UTF-16) and "hex" (its bytes). Calls into
// the shell helper library are "called" lines, the stand-in's own steps (opening a notice) "self" lines.
#pragma once
#include <windows.h>
#include <nlohmann/json.hpp>
#include "../platform/ScopedHandles.h"
#include <string>

enum class TranscriptDirection { Sent, Received, Called, Self };

class Transcript {
public:
    Transcript() = default;
    ~Transcript() { Close(); }
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // Appends to the file (an item that restarts us keeps one history). No path: nothing is written.
    bool Open(const std::wstring& path, std::string& error);
    void Close();

    void Message(TranscriptDirection direction, UINT message, WPARAM wParam, LPARAM lParam, LRESULT result);
    void CopyData(TranscriptDirection direction, WPARAM wParam, const COPYDATASTRUCT& data, LRESULT result,
                  const char* control = nullptr);
    // A call into the shell helper library; a notification's HTML body, when it has one, as "html".
    void Call(const char* function, DWORD id, LRESULT result, const std::wstring& html = std::wstring());
    // A step of the stand-in's own: {"dir":"self","name":NAME, FIELDS...}.
    void Step(const char* name, nlohmann::ordered_json fields);

private:
    void Write(nlohmann::ordered_json line);

    KernelHandle file;
    DWORD startTick = 0;
};

// The protocol name of a message number ("LINKM_PING", "WM_COPYDATA"), or "" for others.
const char* LinkMessageName(UINT message);
