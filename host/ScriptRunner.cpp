#include "ScriptRunner.h"
#include "toolbox/MessagePump.h"
#include "TodayHost.h"
#include "toolbox/Console.h"

ScriptRunner::ScriptRunner(TodayHost& host, std::wstring source) : context(host), source(std::move(source)) {}

ScriptRunner::~ScriptRunner() { context.EndStartedProcesses(); }

int ScriptRunner::Run(const std::vector<ScriptStep>& steps) {
    int result = 0;
    for (const ScriptStep& step : steps) {
        std::wstring error;
        bool ok = step.definition->run(context, step, error);  // the parser found every step's verb
        // Let what the step set going (posted messages, paints) happen before the next step looks.
        if (ok && !context.exitRequested && DrainMessages() == PumpResult::Quit) {
            error = HOST_CLOSED;
            ok = false;
        }
        if (!ok) {
            PrintError(source + L":" + std::to_wstring(step.line) + L": " + error);
            result = 1;
            break;
        }
        if (stepLog) stepLog->Write(step, context.host);
        if (context.exitRequested) {
            result = context.exitCode;
            break;
        }
    }
    if (stayOpen && result == 0 && !context.exitRequested) return 0;
    context.host.Close();
    DrainMessages();
    context.EndStartedProcesses();
    return result;
}
