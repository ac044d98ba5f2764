// A record of a script run for whoever reads it afterwards (the demo's page): after each step one JSON line
// with the step, the reported height of every item, the notifications up, and optionally the size of a file
// that another program appends to, such as the messenger stand-in's transcript. Since each step waits for
// what it set going, the lines that file held at a step's end are the ones written up to that step. Last
// comes the screen's size, which changes when the screen turns.
#pragma once
#include <windows.h>
#include <string>
#include "platform/ScopedHandles.h"
#include "Script.h"

class TodayHost;

class StepLog {
public:
    // No path: nothing is written. watchedFile may be empty.
    bool Open(const std::wstring& path, const std::wstring& watchedFile, std::wstring& error);
    bool IsOpen() const { return file.get() != nullptr; }
    // {"line":12,"step":"screenshot","args":[...],"items":[{"name":"Ardeno","height":60}],
    //  "notifications":["3 new messages"],"watched":1234,"screen":[240,320]}
    void Write(const ScriptStep& step, const TodayHost& host);

private:
    KernelHandle file;
    std::wstring watchedFile;
};

// A JSON string literal of the text (UTF-8, quotes and control characters escaped).
std::string JsonString(const std::wstring& text);
