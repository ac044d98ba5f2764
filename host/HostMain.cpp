// TodayHost.exe: the Today screen host simulator, interactive or driven by a script.
#include <vector>
#include "HostOptions.h"
#include "toolbox/MessagePump.h"
#include "ScriptRunner.h"
#include "toolbox/SystemError.h"
#include "toolbox/Console.h"

constexpr int EXIT_USAGE = 2;
constexpr int EXIT_HOST_FAILED = 3;

namespace {

void PublishHostFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    if (!folder.empty()) folder.pop_back();
    SetEnvironmentVariableW(L"TODAY_HOST_DIR", folder.c_str());
}

bool LoadSteps(const HostOptions& options, std::vector<ScriptStep>& steps, std::wstring& source) {
    ScriptProblem problem;
    if (!options.stepList.empty()) {
        source = L"steps";
        if (ParseStepList(options.stepList, steps, problem)) return true;
    } else {
        source = options.scriptFile;
        std::wstring text, error;
        if (!ReadScriptFile(options.scriptFile, text, error)) {
            PrintError(L"TodayHost: --script: " + error);
            return false;
        }
        if (ParseScript(text, steps, problem)) return true;
    }
    PrintError(source + L":" + std::to_wstring(problem.line) + L": " + problem.message);
    return false;
}

int RunInteractive() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    HostOptions options;
    std::wstring error;
    if (!ParseHostOptions(args, options, error)) {
        PrintError(L"TodayHost: " + error);
        PrintError(HostUsage());
        return EXIT_USAGE;
    }
    if (options.help) {
        PrintOut(HostUsage());
        return 0;
    }
    if (!CheckScreenResolution(options, ScreenDpi(), error)) {
        PrintError(L"TodayHost: " + error);
        return EXIT_USAGE;
    }
    PublishHostFolder();
    const bool scripted = !options.scriptFile.empty() || !options.stepList.empty();
    std::vector<ScriptStep> steps;
    std::wstring source;
    // A faulty script is reported before any item is loaded.
    if (scripted && !LoadSteps(options, steps, source)) return 1;

    TodayHost host(options.config);
    if (!host.Create()) {
        PrintError(L"TodayHost: cannot create the host window: " + SystemErrorText(GetLastError()));
        return EXIT_HOST_FAILED;
    }
    if (!scripted) return RunInteractive();
    StepLog log;
    if (!log.Open(options.stepLog, options.watchFile, error)) {
        PrintError(L"TodayHost: " + error);
        return EXIT_USAGE;
    }
    ScriptRunner runner(host, source);
    runner.SetStepLog(&log);
    runner.StayOpenAtEnd(options.stay);
    int result = runner.Run(steps);
    if (options.stay && result == 0 && IsWindow(host.Window())) result = RunInteractive();
    return result;
}
