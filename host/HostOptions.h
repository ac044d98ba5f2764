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
};

// False with a message naming the bad argument.
bool ParseHostOptions(const std::vector<std::wstring>& args, HostOptions& options, std::wstring& error);
std::wstring HostUsage();
