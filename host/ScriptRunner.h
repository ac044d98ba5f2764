// Runs a parsed script against the host, one step at a time, on the host's thread.
#pragma once
#include <string>
#include <vector>
#include "platform/ScopedHandles.h"
#include "Script.h"
#include "StepLog.h"
#include "TodayHost.h"

constexpr DWORD SCRIPT_DEFAULT_TIMEOUT_MS = 10000;

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
    bool Execute(const ScriptStep& step, std::wstring& error);
    bool DoKey(const ScriptStep& step, std::wstring& error);
    bool DoTap(const ScriptStep& step, std::wstring& error);
    bool DoTapItem(const ScriptStep& step, std::wstring& error);
    bool DoOptions(const ScriptStep& step, std::wstring& error);
    bool DoWaitEvent(const ScriptStep& step, std::wstring& error);
    bool DoWaitWindow(const ScriptStep& step, std::wstring& error);
    bool DoScreenshot(const ScriptStep& step, std::wstring& error);
    bool DoRun(const ScriptStep& step, bool wait, std::wstring& error);
    bool DoExpectHeight(const ScriptStep& step, std::wstring& error);
    bool DoExpectSelected(const ScriptStep& step, std::wstring& error);
    bool DoExpectNotifications(const ScriptStep& step, std::wstring& error);
    void EndStartedProcesses();

    TodayHost& host;
    std::wstring source;
    DWORD timeoutMs = SCRIPT_DEFAULT_TIMEOUT_MS;
    bool exitRequested = false;
    int exitCode = 0;
    std::vector<KernelHandle> started;  // processes of start steps
    StepLog* stepLog = nullptr;
    bool stayOpen = false;
};
