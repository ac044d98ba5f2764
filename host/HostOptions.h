// The host's command line.
#pragma once
#include <string>
#include <vector>
#include "TodayHost.h"

struct HostOptions {
    HostConfig config;
    std::wstring scriptFile;  // --script FILE
    std::wstring stepList;    // --steps "step; step"
    std::wstring stepLog;     // --step-log FILE
    std::wstring watchFile;   // --watch FILE
    bool stay = false;        // --stay: after the script, run on until the window is closed
    bool help = false;
    std::wstring screenOption;  // how the screen was asked for, for messages
};

// False with a message naming the bad argument.
bool ParseHostOptions(const std::vector<std::wstring>& args, HostOptions& options, std::wstring& error);
// The screen's resolution comes from the Wine prefix, and no program changes it: a screen meant for another
// resolution than screenDpi is refused, with a message naming both.
bool CheckScreenResolution(const HostOptions& options, int screenDpi, std::wstring& error);
std::wstring HostUsage();
