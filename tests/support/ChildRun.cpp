#include "ChildRun.h"
#include "PeerProcess.h"  // ReadFileText
#include "platform/MessagePump.h"
#include "platform/ScopedHandles.h"
#include <sstream>

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

::testing::AssertionResult PassesInChildProcess(const std::string& test, DWORD timeoutMs) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine =
        L"\"" + std::wstring(program) + L"\" --gtest_filter=" + std::wstring(test.begin(), test.end());
    wchar_t folder[MAX_PATH], outputPath[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"chl", 0, outputPath);
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION info = {};
    BOOL started =
        CreateProcessW(program, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(output);
    if (!started) {
        DeleteFileW(outputPath);
        return ::testing::AssertionFailure() << "cannot start the child process (error " << GetLastError() << ")";
    }
    KernelHandle process(info.hProcess), thread(info.hThread);
    const bool ended = PumpUntilSignalled(process.get(), timeoutMs) == PumpResult::Done;
    if (!ended) {
        TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), INFINITE);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    const std::string text = ReadFileText(outputPath);
    DeleteFileW(outputPath);
    const bool ran = text.find("[  PASSED  ] 1 test") != std::string::npos;
    if (ended && code == 0 && ran) return ::testing::AssertionSuccess();
    std::ostringstream how;
    if (!ended) how << "hung (ended after " << timeoutMs << " ms)";
    else if (code >= 0xC0000000u) how << "crashed with exception 0x" << std::hex << code;
    else if (code == 0) how << "ran no test";
    else how << "failed (exit code " << code << ")";
    return ::testing::AssertionFailure() << test << " in a child process " << how.str() << ":\n" << text;
}

std::wstring SharedDataFile(const std::wstring& name) { return std::wstring(ARDENO_SHARED_DATA_DIR) + L"/" + name; }
