// The verbs of the host's script language, one row each: the words a step takes, its line of help, and the
// handler that runs it against the host. Adding a verb is adding a row.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "platform/ScopedHandles.h"
#include "ScriptStep.h"

class TodayHost;

constexpr DWORD SCRIPT_DEFAULT_TIMEOUT_MS = 10000;
// Why a step failed when the host window went during it.
inline constexpr wchar_t HOST_CLOSED[] = L"the host window was closed";

// What the steps of one run share.
struct ScriptContext {
    explicit ScriptContext(TodayHost& host) : host(host) {}
    // Programs the script started and left running go with the host, so that none outlives a test.
    void EndStartedProcesses();

    TodayHost& host;
    DWORD timeoutMs = SCRIPT_DEFAULT_TIMEOUT_MS;  // bound of the waits and runs
    bool exitRequested = false;
    int exitCode = 0;
    std::vector<KernelHandle> started;  // processes of start steps
};

// The kinds of word a step takes.
enum class Arg { Any, Int, NonNegative, Positive, Key, Close, Size, Theme, Rest };

// Runs one step; false with why it failed.
using StepHandler = bool (*)(ScriptContext& context, const ScriptStep& step, std::wstring& error);

struct ScriptVerb {
    const wchar_t* name;
    std::vector<Arg> args;  // required then optional; Rest takes all remaining words
    size_t required;
    StepHandler run;
    const wchar_t* usage;
};

const std::vector<ScriptVerb>& ScriptVerbs();
const ScriptVerb* FindScriptVerb(const std::wstring& name);
// Virtual-key code of a key name used by the key step (right, left, up, down, enter); 0 when unknown.
unsigned KeyCodeOfName(const std::wstring& name);
// Whether a word is of its kind; false with why not.
bool CheckScriptArg(Arg kind, const std::wstring& word, std::wstring& why);
