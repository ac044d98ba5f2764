#include "ChildRun.h"
#include "PeerProcess.h"  // ProgramFolder
#include "ScratchFiles.h"
#include "toolbox/MessagePump.h"
#include "platform/ScopedHandles.h"
#include <sstream>

namespace {

// Starts the program with the command line (its output to `output` when given), waits at most timeoutMs while
// answering this thread's messages, and ends it if it still runs then.
ChildRun StartAndWait(const std::wstring& program, std::wstring commandLine, HANDLE output, DWORD timeoutMs) {
    ChildRun run;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                        &startup, &started)) {
        run.started = false;
        run.exitCode = GetLastError();
        return run;
    }
    KernelHandle process(started.hProcess), thread(started.hThread);
    // The child may send to this thread's windows; keep answering while waiting.
    if (PumpUntilSignalled(process.get(), timeoutMs) != PumpResult::Done) {
        TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), INFINITE);
        return run;
    }
    run.finished = true;
    GetExitCodeProcess(process.get(), &run.exitCode);
    return run;
}

}  // namespace

ChildRun RunChild(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs) {
    const std::wstring path = ProgramFolder() + L"\\" + program;
    return StartAndWait(path, L"\"" + path + L"\" " + arguments, nullptr, timeoutMs);
}

::testing::AssertionResult PassesInChildProcess(const std::string& test, DWORD timeoutMs) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring commandLine =
        L"\"" + std::wstring(program) + L"\" --gtest_filter=" + std::wstring(test.begin(), test.end());
    const ScratchFolder scratch;
    const std::wstring outputPath = scratch.Path(L"output.txt");
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    KernelHandle output(CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const ChildRun run = StartAndWait(program, commandLine, output.get(), timeoutMs);
    output.Reset();
    if (!run.started)
        return ::testing::AssertionFailure() << "cannot start the child process (error " << run.exitCode << ")";
    const bool ended = run.finished;
    const DWORD code = run.exitCode;
    const std::string text = ReadFileText(outputPath);
    const bool ran = text.find("[  PASSED  ] 1 test") != std::string::npos;
    if (ended && code == 0 && ran) return ::testing::AssertionSuccess();
    std::ostringstream how;
    if (!ended) how << "hung (ended after " << timeoutMs << " ms)";
    else if (code >= 0xC0000000u) how << "crashed with exception 0x" << std::hex << code;
    else if (code == 0) how << "ran no test";
    else how << "failed (exit code " << code << ")";
    return ::testing::AssertionFailure() << test << " in a child process " << how.str() << ":\n" << text;
}
