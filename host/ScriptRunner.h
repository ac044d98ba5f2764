// Runs a parsed script against the host, one step at a time, on the host's thread.
#pragma once
#include <string>
#include <vector>
#include "Script.h"
#include "ScriptVerbs.h"
#include "StepLog.h"

class ScriptRunner {
public:
    // source names the script in messages ("demo.script", "steps").
    ScriptRunner(TodayHost& host, std::wstring source);
    ~ScriptRunner();
    // Runs every step; closes the host at the end. Returns the process exit code: 0, the code of an exit
    // step, or 1 after a failed step (reported as "source:line: problem").
    int Run(const std::vector<ScriptStep>& steps);
    // After a script that ran to its end, leave the host open: the caller runs it on by hand. The programs the
    // script started go when the runner does.
    void StayOpenAtEnd(bool stay) { stayOpen = stay; }
    // Each step that succeeds is written there (the log stays the caller's).
    void SetStepLog(StepLog* log) { stepLog = log; }

private:
    ScriptContext context;
    std::wstring source;
    StepLog* stepLog = nullptr;
    bool stayOpen = false;
};
