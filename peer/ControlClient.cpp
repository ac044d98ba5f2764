#include "ControlClient.h"
#include "ControlProtocol.h"
#include "NoticesFile.h"
#include "PeerNames.h"
#include "RunningInstance.h"
#include "../platform/ScopedHandles.h"
#include "../toolbox/Console.h"

namespace {

const DWORD kExitWaitMs = 30000;

ULONG_PTR ControlCode(PeerCommandKind kind) {
    switch (kind) {
    case PeerCommandKind::Send:
        return PeerControlSend;
    case PeerCommandKind::Add:
        return PeerControlAdd;
    case PeerCommandKind::Sort:
        return PeerControlSort;
    case PeerCommandKind::Clear:
        return PeerControlClear;
    case PeerCommandKind::Status:
        return PeerControlStatus;
    case PeerCommandKind::Detach:
        return PeerControlDetach;
    case PeerCommandKind::Hang:
        return PeerControlHang;
    case PeerCommandKind::Exit:
        return PeerControlExit;
    case PeerCommandKind::Crash:
        return PeerControlCrash;
    case PeerCommandKind::Flood:
        return PeerControlFlood;
    case PeerCommandKind::Slow:
        return PeerControlSlow;
    case PeerCommandKind::Restart:
        return PeerControlRestart;
    default:
        return 0;
    }
}

int Fail(const std::string& message) {
    WriteError("ArdenoPeer: " + message + "\n");
    return PeerExitFailure;
}

}  // namespace

int RunControlCommand(const PeerCommand& command) {
    const std::string name = CommandName(command.kind);
    std::vector<BYTE> payload;
    if (!command.file.empty()) {
        std::vector<Notice> notices;
        std::string error;
        if (!LoadNoticesFile(command.file, notices, error)) return Fail(name + ": " + error);
        payload = PackNotices(notices);
    } else if (command.kind == PeerCommandKind::Status || command.kind == PeerCommandKind::Hang ||
               command.kind == PeerCommandKind::Slow || command.kind == PeerCommandKind::Restart) {
        const BYTE* value = reinterpret_cast<const BYTE*>(&command.value);
        payload.assign(value, value + sizeof(command.value));
    } else if (command.kind == PeerCommandKind::Flood) {
        const DWORD values[] = {command.value, command.textLength};
        const BYTE* bytes = reinterpret_cast<const BYTE*>(values);
        payload.assign(bytes, bytes + sizeof(values));
    }

    HWND instance = FindRunningInstance();
    if (!instance) {
        return Fail(name +
                    ": no running instance (no window of class \"#NETCF_AGL_BASE_\" titled \"Ardeno\" or "
                    "\"\xE9\x9B\x85\xE8\xAF\xBA\")");
    }
    // Taken before the command goes out: exit and crash return only once the instance has ended.
    DWORD processId = 0;
    GetWindowThreadProcessId(instance, &processId);
    KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));

    COPYDATASTRUCT data = {ControlCode(command.kind), static_cast<DWORD>(payload.size()),
                           payload.empty() ? nullptr : payload.data()};
    LRESULT result = SendMessageW(instance, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    int exitCode = PeerExitOk;
    if (result != 1) {
        exitCode = Fail(name + ": the running instance did not carry it out");
    } else if (command.kind == PeerCommandKind::Exit || command.kind == PeerCommandKind::Crash) {
        if (process && WaitForSingleObject(process.get(), kExitWaitMs) != WAIT_OBJECT_0)
            exitCode = Fail(name + ": the running instance did not end within 30 s");
    }
    return exitCode;
}
