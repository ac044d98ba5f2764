// ArdenoPeer.exe: the messenger's main application as far as the home-screen item sees it, driven from the
// command line. See README.md.
#include "Console.h"
#include "ControlClient.h"
#include "MainInstance.h"
#include "PeerNames.h"
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < count; ++i) args.push_back(argv[i]);
    LocalFree(argv);

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
        default:
            return RunControlCommand(command);
    }
}
