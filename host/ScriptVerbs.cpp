#include "ScriptVerbs.h"
#include "toolbox/MessagePump.h"
#include "PngFile.h"
#include "TodayHost.h"
#include "toolbox/Console.h"
#include "toolbox/Decimal.h"
#include "toolbox/SystemError.h"

unsigned KeyCodeOfName(const std::wstring& name) {
    if (name == L"right") return VK_RIGHT;
    if (name == L"left") return VK_LEFT;
    if (name == L"up") return VK_UP;
    if (name == L"down") return VK_DOWN;
    if (name == L"enter") return VK_RETURN;
    return 0;
}

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

bool Refresh(ScriptContext& context, const ScriptStep&, std::wstring&) {
    context.host.RefreshItems();
    return true;
}

bool Reload(ScriptContext& context, const ScriptStep&, std::wstring&) {
    SendMessageW(context.host.Window(), WM_SETTINGCHANGE, WININICHANGE_TODAY_ITEMS, 0);
    return true;
}

bool Key(ScriptContext& context, const ScriptStep& step, std::wstring&) {
    context.host.PressKey(KeyCodeOfName(step.args[0]));
    return true;
}

bool Tap(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    POINT point = {IntArg(step.args[0]), IntArg(step.args[1])};
    RECT client;
    GetClientRect(context.host.Window(), &client);
    if (!PtInRect(&client, point)) {
        error = L"tap: " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y) + L" is outside the " +
                std::to_wstring(client.right) + L" x " + std::to_wstring(client.bottom) + L" screen";
        return false;
    }
    context.host.Tap(point);
    return true;
}

bool TapItem(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const HostedItem* item = context.host.FindItem(step.args[0]);
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
    context.host.Tap(point);
    return true;
}

bool Options(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    DialogClose close = step.args.empty() || step.args[0] == L"ok" ? DialogClose::Ok : DialogClose::Cancel;
    HostedItem* item = nullptr;
    if (step.args.size() > 1) {
        item = context.host.FindItem(step.args[1]);
        if (!item) {
            error = L"options: no item named '" + step.args[1] + L"'";
            return false;
        }
    }
    if (context.host.RunOptionsDialog(item, close, error)) return true;
    error = L"options: " + error;
    return false;
}

bool WaitEvent(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const std::wstring& name = step.args[0];
    const DWORD timeoutMs = context.timeoutMs;
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
                ? HOST_CLOSED
                : L"wait-event: '" + name + L"' was not set within " + std::to_wstring(timeoutMs) + L" ms";
    return false;
}

bool WaitWindow(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const std::wstring& className = step.args[0];
    const bool titled = step.args.size() > 1;
    const std::wstring title = titled ? step.args[1] : L"";
    PumpResult result = PumpUntil(
        [&] { return FindWindowW(className.c_str(), titled ? title.c_str() : nullptr) != nullptr; }, context.timeoutMs);
    if (result == PumpResult::Done) return true;
    error = result == PumpResult::Quit ? HOST_CLOSED
                                       : L"wait-window: no window of class '" + className + L"'" +
                                             (titled ? L" titled '" + title + L"'" : L"") + L" appeared within " +
                                             std::to_wstring(context.timeoutMs) + L" ms";
    return false;
}

bool Timeout(ScriptContext& context, const ScriptStep& step, std::wstring&) {
    context.timeoutMs = static_cast<DWORD>(IntArg(step.args[0]));
    return true;
}

bool Pump(ScriptContext&, const ScriptStep& step, std::wstring& error) {
    if (PumpFor(static_cast<DWORD>(IntArg(step.args[0]))) != PumpResult::Quit) return true;
    error = HOST_CLOSED;
    return false;
}

bool Screenshot(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const std::wstring& path = step.args[0];
    const Capture capture = CaptureWindow(context.host.Window());
    if (capture.pixels.empty()) {
        error = L"screenshot: cannot read the screen's pixels";
        return false;
    }
    if (!SavePng(capture, path, error)) {
        error = L"screenshot: " + error;
        return false;
    }
    PrintOut(L"screenshot " + path);
    return true;
}

bool StartProgram(ScriptContext& context, const ScriptStep& step, bool wait, std::wstring& error) {
    const std::wstring& program = step.args[0];
    std::wstring commandLine = QuoteArgument(program);
    for (size_t i = 1; i < step.args.size(); ++i) commandLine += L" " + QuoteArgument(step.args[i]);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        error = step.verb + L": cannot start " + program + L": " + SystemErrorText(GetLastError());
        return false;
    }
    KernelHandle thread(info.hThread);
    KernelHandle process(info.hProcess);
    if (!wait) {
        context.started.push_back(std::move(process));
        return true;
    }
    // The program may send to the items on this thread: keep answering while it runs.
    PumpResult result = PumpUntilSignalled(process.get(), context.timeoutMs);
    if (result == PumpResult::Quit) {
        error = HOST_CLOSED;
        return false;
    }
    if (result == PumpResult::TimedOut) {
        TerminateProcess(process.get(), 1);
        error =
            L"run: " + program + L" did not exit within " + std::to_wstring(context.timeoutMs) + L" ms; it was ended";
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

bool Run(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    return StartProgram(context, step, true, error);
}

bool Start(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    return StartProgram(context, step, false, error);
}

bool SetReady(ScriptContext& context, const ScriptStep&, std::wstring&) {
    context.host.ReadyEvent().Set();
    return true;
}

bool ResizeTo(ScriptContext& context, const ScriptStep& step, SIZE size, std::wstring& error) {
    if (context.host.ResizeScreen(size, error)) return true;
    error = step.verb + L": " + error;
    return false;
}

bool Rotate(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const SIZE size = context.host.ScreenSize();
    return ResizeTo(context, step, {size.cy, size.cx}, error);
}

bool Screen(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    ScreenMode mode;
    ParseScreenMode(step.args[0], false, mode, error);  // checked when the script was parsed
    return ResizeTo(context, step, mode.size, error);
}

bool SetTheme(ScriptContext& context, const ScriptStep& step, std::wstring&) {
    Theme theme = Theme::Light;
    ParseTheme(step.args[0], theme);  // checked when the script was parsed
    context.host.SetTheme(theme);
    return true;
}

bool ExpectHeight(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const HostedItem* item = context.host.FindItem(step.args[0]);
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

bool ExpectSelected(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const HostedItem* selected = context.host.Selected();
    const std::wstring actual = selected ? selected->Name() : L"none";
    if (_wcsicmp(actual.c_str(), step.args[0].c_str()) == 0) return true;
    error = L"expect-selected: the selection is on '" + actual + L"', not '" + step.args[0] + L"'";
    return false;
}

bool ExpectNotifications(ScriptContext& context, const ScriptStep& step, std::wstring& error) {
    const size_t expected = static_cast<size_t>(IntArg(step.args[0]));
    const size_t actual = context.host.Notifications().Items().size();
    if (actual == expected) return true;
    error = L"expect-notifications: " + std::to_wstring(actual) + L" notifications are posted, not " +
            std::to_wstring(expected);
    return false;
}

bool Exit(ScriptContext& context, const ScriptStep& step, std::wstring&) {
    context.exitRequested = true;
    context.exitCode = step.args.empty() ? 0 : IntArg(step.args[0]);
    return true;
}

}  // namespace

const std::vector<ScriptVerb>& ScriptVerbs() {
    using A = Arg;
    // One verb a row, its help line under it.
    // clang-format off
    static const std::vector<ScriptVerb> verbs = {
        {L"refresh", {}, 0, Refresh,
         L"refresh                      ask every item whether it changed; re-lay out if one did"},
        {L"reload", {}, 0, Reload,
         L"reload                       unload and load the registered items again"},
        {L"key", {A::Key}, 1, Key,
         L"key right|left|up|down|enter press a key"},
        {L"tap", {A::NonNegative, A::NonNegative}, 2, Tap,
         L"tap X Y                      stylus down and up at a host client point"},
        {L"tap-item", {A::Any, A::Int, A::Int}, 3, TapItem,
         L"tap-item ITEM X Y            tap inside an item; negative X, Y count from its right, bottom"},
        {L"options", {A::Close, A::Any}, 0, Options,
         L"options [ok|cancel] [ITEM]   run an item's options dialog and close it (ok)"},
        {L"wait-event", {A::Any}, 1, WaitEvent,
         L"wait-event NAME              wait until a named event is set"},
        {L"wait-window", {A::Any, A::Any}, 1, WaitWindow,
         L"wait-window CLASS [TITLE]    wait until a top-level window exists"},
        {L"timeout", {A::Positive}, 1, Timeout,
         L"timeout MS                   bound of the waits and runs that follow (10000)"},
        {L"pump", {A::NonNegative}, 1, Pump,
         L"pump MS                      handle messages and timers for a time"},
        {L"screenshot", {A::Any}, 1, Screenshot,
         L"screenshot FILE.png          write the screen as PNG"},
        {L"run", {A::Any, A::Rest}, 1, Run,
         L"run PROGRAM [ARGS]           start a program, wait until it exits with 0"},
        {L"start", {A::Any, A::Rest}, 1, Start,
         L"start PROGRAM [ARGS]         start a program and go on"},
        {L"set-ready", {}, 0, SetReady,
         L"set-ready                    set the shell-ready event"},
        {L"rotate", {}, 0, Rotate,
         L"rotate                       turn the screen: width and height swap, items re-laid out"},
        {L"screen", {A::Size}, 1, Screen,
         L"screen WxH                   the screen changes to this size (same resolution)"},
        {L"theme", {A::Theme}, 1, SetTheme,
         L"theme light|dark|contrast    the host's colours and background change; it and its items repaint"},
        {L"expect-height", {A::Any, A::NonNegative}, 2, ExpectHeight,
         L"expect-height ITEM PX        fail unless the item is shown this high"},
        {L"expect-selected", {A::Any}, 1, ExpectSelected,
         L"expect-selected ITEM|none    fail unless the selection is there"},
        {L"expect-notifications", {A::NonNegative}, 1, ExpectNotifications,
         L"expect-notifications N       fail unless N notifications are posted"},
        {L"exit", {A::Int}, 0, Exit,
         L"exit [CODE]                  close the host (the script's end does too)"},
    };
    // clang-format on
    return verbs;
}

const ScriptVerb* FindScriptVerb(const std::wstring& name) {
    for (const auto& verb : ScriptVerbs())
        if (name == verb.name) return &verb;
    return nullptr;
}

bool CheckScriptArg(Arg kind, const std::wstring& word, std::wstring& why) {
    int value = 0;
    ScreenMode screen;
    switch (kind) {
    case Arg::Int:
        if (ParseInt(word, value)) return true;
        why = L"'" + word + L"' is not a number";
        return false;
    case Arg::NonNegative:
    case Arg::Positive:
        if (!ParseInt(word, value)) {
            why = L"'" + word + L"' is not a number";
            return false;
        }
        if (value < (kind == Arg::Positive ? 1 : 0)) {
            why = L"'" + word + (kind == Arg::Positive ? L"' must be above 0" : L"' must not be negative");
            return false;
        }
        return true;
    case Arg::Key:
        if (KeyCodeOfName(word)) return true;
        why = L"unknown key '" + word + L"' (right, left, up, down or enter)";
        return false;
    case Arg::Close:
        if (word == L"ok" || word == L"cancel") return true;
        why = L"'" + word + L"' must be ok or cancel";
        return false;
    case Arg::Size:
        return ParseScreenMode(word, false, screen, why);
    case Arg::Theme: {
        Theme theme;
        if (ParseTheme(word, theme)) return true;
        why = L"unknown theme '" + word + L"' (" + ThemeNames() + L")";
        return false;
    }
    default:
        return true;
    }
}

void ScriptContext::EndStartedProcesses() {
    for (KernelHandle& process : started) {
        if (process.get() && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 2000);
        }
    }
    started.clear();
}
