#include "ScriptRunner.h"
#include "platform/MessagePump.h"
#include "Screenshot.h"
#include "TextUtil.h"
#include "toolbox/Console.h"

namespace {

int IntArg(const std::wstring& word) {
    int value = 0;
    ParseInt(word, value);  // checked when the script was parsed
    return value;
}

std::wstring QuoteArgument(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) return word;
    std::wstring quoted = L"\"";
    for (wchar_t c : word) {
        if (c == L'"') quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

}  // namespace

ScriptRunner::ScriptRunner(TodayHost& host, std::wstring source) : host(host), source(std::move(source)) {}

ScriptRunner::~ScriptRunner() { EndStartedProcesses(); }

int ScriptRunner::Run(const std::vector<ScriptStep>& steps) {
    int result = 0;
    for (const ScriptStep& step : steps) {
        std::wstring error;
        bool ok = Execute(step, error);
        // Let what the step set going (posted messages, paints) happen before the next step looks.
        if (ok && !exitRequested && DrainMessages() == PumpResult::Quit) {
            error = L"the host window was closed";
            ok = false;
        }
        if (!ok) {
            PrintError(source + L":" + std::to_wstring(step.line) + L": " + error);
            result = 1;
            break;
        }
        if (stepLog) stepLog->Write(step, host);
        if (exitRequested) {
            result = exitCode;
            break;
        }
    }
    if (stayOpen && result == 0 && !exitRequested) return 0;
    host.Close();
    DrainMessages();
    EndStartedProcesses();
    return result;
}

bool ScriptRunner::Execute(const ScriptStep& step, std::wstring& error) {
    const std::wstring& verb = step.verb;
    if (verb == L"refresh") {
        host.RefreshItems();
        return true;
    }
    if (verb == L"reload") {
        SendMessageW(host.Window(), WM_SETTINGCHANGE, WININICHANGE_TODAY_ITEMS, 0);
        return true;
    }
    if (verb == L"key") return DoKey(step, error);
    if (verb == L"tap") return DoTap(step, error);
    if (verb == L"tap-item") return DoTapItem(step, error);
    if (verb == L"options") return DoOptions(step, error);
    if (verb == L"wait-event") return DoWaitEvent(step, error);
    if (verb == L"wait-window") return DoWaitWindow(step, error);
    if (verb == L"timeout") {
        timeoutMs = static_cast<DWORD>(IntArg(step.args[0]));
        return true;
    }
    if (verb == L"pump") {
        if (PumpFor(static_cast<DWORD>(IntArg(step.args[0]))) == PumpResult::Quit) {
            error = L"the host window was closed";
            return false;
        }
        return true;
    }
    if (verb == L"screenshot") return DoScreenshot(step, error);
    if (verb == L"run") return DoRun(step, true, error);
    if (verb == L"start") return DoRun(step, false, error);
    if (verb == L"set-ready") {
        host.ReadyEvent().Set();
        return true;
    }
    if (verb == L"expect-height") return DoExpectHeight(step, error);
    if (verb == L"expect-selected") return DoExpectSelected(step, error);
    if (verb == L"expect-notifications") return DoExpectNotifications(step, error);
    if (verb == L"exit") {
        exitRequested = true;
        exitCode = step.args.empty() ? 0 : IntArg(step.args[0]);
        return true;
    }
    error = L"unknown step '" + verb + L"'";
    return false;
}

bool ScriptRunner::DoKey(const ScriptStep& step, std::wstring&) {
    host.PressKey(KeyCodeOfName(step.args[0]));
    return true;
}

bool ScriptRunner::DoTap(const ScriptStep& step, std::wstring& error) {
    POINT point = {IntArg(step.args[0]), IntArg(step.args[1])};
    RECT client;
    GetClientRect(host.Window(), &client);
    if (!PtInRect(&client, point)) {
        error = L"tap: " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y) + L" is outside the " +
                std::to_wstring(client.right) + L" x " + std::to_wstring(client.bottom) + L" screen";
        return false;
    }
    host.Tap(point);
    return true;
}

bool ScriptRunner::DoTapItem(const ScriptStep& step, std::wstring& error) {
    const HostedItem* item = host.FindItem(step.args[0]);
    if (!item || !item->placed) {
        error = L"tap-item: no item named '" + step.args[0] + L"' is shown";
        return false;
    }
    const RECT& rect = item->rect;
    const int x = IntArg(step.args[1]), y = IntArg(step.args[2]);
    POINT point = {x >= 0 ? rect.left + x : rect.right + x, y >= 0 ? rect.top + y : rect.bottom + y};
    if (point.x < rect.left || point.x >= rect.right || point.y < rect.top || point.y >= rect.bottom) {
        error = L"tap-item: " + step.args[1] + L"," + step.args[2] + L" lies outside the item's " +
                std::to_wstring(rect.right - rect.left) + L" x " + std::to_wstring(rect.bottom - rect.top) + L" pixels";
        return false;
    }
    host.Tap(point);
    return true;
}

bool ScriptRunner::DoOptions(const ScriptStep& step, std::wstring& error) {
    DialogClose close = step.args.empty() || step.args[0] == L"ok" ? DialogClose::Ok : DialogClose::Cancel;
    HostedItem* item = nullptr;
    if (step.args.size() > 1) {
        item = host.FindItem(step.args[1]);
        if (!item) {
            error = L"options: no item named '" + step.args[1] + L"'";
            return false;
        }
    }
    if (host.RunOptionsDialog(item, close, error)) return true;
    error = L"options: " + error;
    return false;
}

bool ScriptRunner::DoWaitEvent(const ScriptStep& step, std::wstring& error) {
    const std::wstring& name = step.args[0];
    const DWORD start = GetTickCount();
    KernelHandle event;
    // The event may not exist yet: wait for it to be made, then for it to be set, within one bound.
    PumpResult result = PumpUntil(
        [&] {
            event.Reset(OpenEventW(SYNCHRONIZE, FALSE, name.c_str()));
            return event.get() != nullptr;
        },
        timeoutMs);
    if (result == PumpResult::Done) {
        DWORD elapsed = GetTickCount() - start;
        result = PumpUntilSignalled(event.get(), elapsed < timeoutMs ? timeoutMs - elapsed : 0);
    }
    if (result == PumpResult::Done) return true;
    error = result == PumpResult::Quit
                ? L"the host window was closed"
                : L"wait-event: '" + name + L"' was not set within " + std::to_wstring(timeoutMs) + L" ms";
    return false;
}

bool ScriptRunner::DoWaitWindow(const ScriptStep& step, std::wstring& error) {
    const std::wstring& className = step.args[0];
    const std::wstring title = step.args.size() > 1 ? step.args[1] : L"";
    PumpResult result = PumpUntil(
        [&] { return FindWindowW(className.c_str(), step.args.size() > 1 ? title.c_str() : nullptr) != nullptr; },
        timeoutMs);
    if (result == PumpResult::Done) return true;
    error = result == PumpResult::Quit ? L"the host window was closed"
                                       : L"wait-window: no window of class '" + className + L"'" +
                                             (step.args.size() > 1 ? L" titled '" + title + L"'" : L"") +
                                             L" appeared within " + std::to_wstring(timeoutMs) + L" ms";
    return false;
}

bool ScriptRunner::DoScreenshot(const ScriptStep& step, std::wstring& error) {
    const std::wstring& path = step.args[0];
    Pixels pixels;
    if (!CaptureClient(host.Window(), pixels)) {
        error = L"screenshot: cannot read the screen's pixels";
        return false;
    }
    if (!SavePng(pixels, path, error)) {
        error = L"screenshot: " + error;
        return false;
    }
    PrintOut(L"screenshot " + path);
    return true;
}

bool ScriptRunner::DoRun(const ScriptStep& step, bool wait, std::wstring& error) {
    const std::wstring& program = step.args[0];
    std::wstring commandLine = QuoteArgument(program);
    for (size_t i = 1; i < step.args.size(); ++i) commandLine += L" " + QuoteArgument(step.args[i]);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        error = step.verb + L": cannot start " + program + L": " + LastErrorText(GetLastError());
        return false;
    }
    KernelHandle thread(info.hThread);
    KernelHandle process(info.hProcess);
    if (!wait) {
        started.push_back(std::move(process));
        return true;
    }
    // The program may send to the items on this thread: keep answering while it runs.
    PumpResult result = PumpUntilSignalled(process.get(), timeoutMs);
    if (result == PumpResult::Quit) {
        error = L"the host window was closed";
        return false;
    }
    if (result == PumpResult::TimedOut) {
        TerminateProcess(process.get(), 1);
        error = L"run: " + program + L" did not exit within " + std::to_wstring(timeoutMs) + L" ms; it was ended";
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    if (code != 0) {
        error = L"run: " + program + L" exited with code " + std::to_wstring(code);
        return false;
    }
    return true;
}

bool ScriptRunner::DoExpectHeight(const ScriptStep& step, std::wstring& error) {
    const HostedItem* item = host.FindItem(step.args[0]);
    if (!item) {
        error = L"expect-height: no item named '" + step.args[0] + L"'";
        return false;
    }
    const int expected = IntArg(step.args[1]);
    const int shown = item->placed ? item->rect.bottom - item->rect.top : 0;
    if (shown == expected) return true;
    error = L"expect-height: item '" + step.args[0] + L"' is shown " + std::to_wstring(shown) + L" pixels high, not " +
            std::to_wstring(expected) + L" (its cyp is " + std::to_wstring(item->record.cyp) + L")";
    return false;
}

bool ScriptRunner::DoExpectSelected(const ScriptStep& step, std::wstring& error) {
    const HostedItem* selected = host.Selected();
    const std::wstring actual = selected ? selected->Name() : L"none";
    if (_wcsicmp(actual.c_str(), step.args[0].c_str()) == 0) return true;
    error = L"expect-selected: the selection is on '" + actual + L"', not '" + step.args[0] + L"'";
    return false;
}

bool ScriptRunner::DoExpectNotifications(const ScriptStep& step, std::wstring& error) {
    const size_t expected = static_cast<size_t>(IntArg(step.args[0]));
    const size_t actual = host.Notifications().Items().size();
    if (actual == expected) return true;
    error = L"expect-notifications: " + std::to_wstring(actual) + L" notifications are posted, not " +
            std::to_wstring(expected);
    return false;
}

void ScriptRunner::EndStartedProcesses() {
    for (KernelHandle& process : started) {
        if (process.get() && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            // Programs the script started and left running go with the host, so none outlives a test.
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 2000);
        }
    }
    started.clear();
}
