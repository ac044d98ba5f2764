#include "StartedProgram.h"
#include "../platform/StartProcess.h"

bool StartedProgram::Start(const std::wstring& installPath) {
    HANDLE started = nullptr;
    if (!PlatformStartProcess(installPath.c_str(), &started)) return false;
    process.Reset(started);
    return true;
}

bool StartedProgram::StillStarting() {
    if (!process) return false;
    if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) return true;
    process.Reset();  // it ended without a window: a later start is a new one
    return false;
}
