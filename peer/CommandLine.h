// The stand-in's command line: "run" (or nothing) starts the main instance, "help" prints the usage text; every
// other command is a control command for the running instance (PeerCommands.h).
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "PeerCommands.h"

enum class PeerCommandKind { Run, Help, Control };

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
    RunOptions run;                           // for Run
    const PeerCommandRow* control = nullptr;  // for Control
    std::wstring file;                        // its notices file, when given
    std::vector<DWORD> values;                // its numbers in order, optional ones left out given their default
};

// args excludes the program name. On failure `error` names the problem (the caller adds the usage text).
bool ParseCommandLine(const std::vector<std::wstring>& args, PeerCommand& command, std::string& error);
// Fills options that the command line left open from the environment (the item starts us without one).
void ApplyEnvironment(RunOptions& options);
std::string UsageText();
