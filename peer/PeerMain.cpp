// ArdenoPeer.exe: the messenger's main application as far as the home-screen item sees it, driven from the
// command line. See README.md.
#include "ControlClient.h"
#include "MainInstance.h"
#include "PeerNames.h"
#include "../toolbox/Console.h"
#include "../toolbox/LocalMemory.h"
#include <shellapi.h>
#include <cwchar>

namespace {

// The arguments after the program's name. The item starts us with no command line, and the platform then
// hands us our path as it stands, unquoted, so a path with spaces must not be split into arguments.
std::vector<std::wstring> Arguments() {
    std::wstring line = GetCommandLineW();
    wchar_t module[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length && line.size() >= length && _wcsnicmp(line.c_str(), module, length) == 0)
        line = L"program" + line.substr(length);
    int count = 0;
    LocalMemory<LPWSTR*> argv(CommandLineToArgvW(line.c_str(), &count));
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i) args.push_back(argv.get()[i]);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    std::vector<std::wstring> args = Arguments();

    PeerCommand command;
    std::string error;
    if (!ParseCommandLine(args, command, error)) {
        WriteError("ArdenoPeer: " + error + "\n" + UsageText());
        return PeerExitUsage;
    }
    switch (command.kind) {
    case PeerCommandKind::Help:
        WriteOutput(UsageText());
        return PeerExitOk;
    case PeerCommandKind::Run:
        ApplyEnvironment(command.run);
        return RunMainInstance(instance, command.run);
    case PeerCommandKind::Control:
        return RunControlCommand(command);
    }
    return PeerExitUsage;
}
