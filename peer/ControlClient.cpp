#include "ControlClient.h"
#include "ControlProtocol.h"
#include "NoticesFile.h"
#include "PeerNames.h"
#include "RunningInstance.h"
#include "../platform/ScopedHandles.h"
#include "../toolbox/Console.h"

namespace {

const DWORD kExitWaitMs = 30000;

int Fail(const std::string& message) {
    WriteError("ArdenoPeer: " + message + "\n");
    return PeerExitFailure;
}

}  // namespace

int RunControlCommand(const PeerCommand& command) {
    const std::string name = command.control->word;
    std::vector<BYTE> payload;
    if (!command.file.empty()) {
        std::vector<Notice> notices;
        std::string error;
        if (!LoadNoticesFile(command.file, notices, error)) return Fail(name + ": " + error);
        payload = PackNotices(notices);
    } else {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(command.values.data());
        payload.assign(bytes, bytes + command.values.size() * sizeof(DWORD));
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

    COPYDATASTRUCT data = {command.control->code, static_cast<DWORD>(payload.size()),
                           payload.empty() ? nullptr : payload.data()};
    LRESULT result = SendMessageW(instance, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    int exitCode = PeerExitOk;
    if (result != 1) {
        exitCode = Fail(name + ": the running instance did not carry it out");
    } else if (command.control->flow == PeerCommandFlow::Ends) {
        if (process && WaitForSingleObject(process.get(), kExitWaitMs) != WAIT_OBJECT_0)
            exitCode = Fail(name + ": the running instance did not end within 30 s");
    }
    return exitCode;
}
