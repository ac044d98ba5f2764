// The stand-in's command line: "run" (or nothing) starts the main instance; every other command is a control
// command for the running instance.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

enum class PeerCommandKind {
    Run,
    Send,
    Add,
    Sort,
    Clear,
    Status,
    Detach,
    Hang,
    Slow,
    Restart,
    Exit,
    Crash,
    Flood,
    Help
};

struct RunOptions {
    std::wstring noticesPath;     // empty: no notices
    std::wstring transcriptPath;  // empty: no transcript
    bool chinese = false;         // the Chinese title and notification text
    DWORD hangPingMs = 0;         // delay before each ping answer
    bool refuseKey = false;       // answer a handed-back key with 0
    LRESULT activateAnswer = 1;   // the answer to an activation request
    bool placed = false;          // --window-at X,Y: where the window goes (else where the system puts it)
    POINT windowAt = {0, 0};
};

struct PeerCommand {
    PeerCommandKind kind = PeerCommandKind::Run;
    RunOptions run;          // for Run
    std::wstring file;       // notices file of Send (optional) and Add
    DWORD value = 0;         // status value of Status, milliseconds of Hang, Slow and Restart, count of Flood
    DWORD textLength = 100;  // characters of each Flood notice's text
};

// args excludes the program name. On failure `error` names the problem (the caller adds the usage text).
bool ParseCommandLine(const std::vector<std::wstring>& args, PeerCommand& command, std::string& error);
// Fills options that the command line left open from the environment (the item starts us without one).
void ApplyEnvironment(RunOptions& options);
const char* UsageText();
// The command's name as typed, for messages.
const char* CommandName(PeerCommandKind kind);
