#include "ChildTest.h"
#include "PeerProcess.h"
#include <iomanip>
#include <sstream>

::testing::AssertionResult PassesInChildProcess(const std::string& test, DWORD timeoutMs) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" --gtest_filter=" +
                               std::wstring(test.begin(), test.end());
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
    BOOL started = CreateProcessW(program, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                  &info);
    CloseHandle(output);
    if (!started) {
        DeleteFileW(outputPath);
        return ::testing::AssertionFailure() << "cannot start the child process (error " << GetLastError() << ")";
    }
    CloseHandle(info.hThread);
    const bool ended = PumpUntil({info.hProcess}, timeoutMs) == 0;
    if (!ended) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, INFINITE);
    }
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
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
