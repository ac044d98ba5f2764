#include "ChildRun.h"
#include "platform/MessagePump.h"
#include "platform/ScopedHandles.h"

namespace {
std::wstring ProgramFolderOfThisTest() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}
}  // namespace

ChildRun RunChild(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs) {
    ChildRun run;
    const std::wstring path = ProgramFolderOfThisTest() + program;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        run.exitCode = GetLastError();
        run.finished = true;
        return run;
    }
    KernelHandle process(started.hProcess), thread(started.hThread);
    // The child may send to this thread's windows; keep answering while waiting.
    if (PumpUntilSignalled(process.get(), timeoutMs) != PumpResult::Done) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), INFINITE);
        return run;
    }
    run.finished = true;
    GetExitCodeProcess(process.get(), &run.exitCode);
    return run;
}

std::wstring SharedDataFile(const std::wstring& name) { return std::wstring(ARDENO_SHARED_DATA_DIR) + L"/" + name; }
