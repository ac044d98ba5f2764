#include "PeerProcess.h"
#include "peer/PeerNames.h"
#include "toolbox/Utf8.h"
#include <tlhelp32.h>
#include <cstring>

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

namespace {

// Our environment minus the program's own variables (a person's shell may have set them), plus overrides.
std::vector<wchar_t> EnvironmentBlock(const EnvironmentOverrides& overrides) {
    std::vector<wchar_t> block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        std::wstring text = entry;
        if (text.rfind(std::wstring(PEER_NOTICES_ENV) + L"=", 0) == 0 ||
            text.rfind(std::wstring(PEER_TRANSCRIPT_ENV) + L"=", 0) == 0)
            continue;
        block.insert(block.end(), text.begin(), text.end());
        block.push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& variable : overrides) {
        std::wstring text = variable.first + L"=" + variable.second;
        block.insert(block.end(), text.begin(), text.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

}  // namespace

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        End();
        process = std::move(other.process);
        errorPath = std::move(other.errorPath);
    }
    return *this;
}

bool ChildProcess::Start(const std::wstring& arguments, const EnvironmentOverrides& environment) {
    return StartProgram(L"ArdenoPeer.exe", arguments, environment);
}

bool ChildProcess::StartProgram(const std::wstring& program, const std::wstring& arguments,
                                const EnvironmentOverrides& environment) {
    const std::wstring path = ProgramFolder() + L"\\" + program;
    std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    return Launch(path, &commandLine[0], environment);
}

bool ChildProcess::StartWithoutCommandLine(const std::wstring& program, const EnvironmentOverrides& environment) {
    return Launch(program, nullptr, environment);
}

bool ChildProcess::Launch(const std::wstring& program, wchar_t* commandLine, const EnvironmentOverrides& environment) {
    End();
    wchar_t folder[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"per", 0, file);
    errorPath = file;
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    KernelHandle errorFile(CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errorFile.get();
    startup.hStdOutput = errorFile.get();
    PROCESS_INFORMATION info = {};
    std::vector<wchar_t> environmentBlock = EnvironmentBlock(environment);
    BOOL started = CreateProcessW(program.c_str(), commandLine, nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                  environmentBlock.data(), nullptr, &startup, &info);
    if (!started) return false;
    KernelHandle thread(info.hThread);
    process.Reset(info.hProcess);
    return true;
}

bool ChildProcess::Running() const { return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT; }

DWORD ChildProcess::ExitCode() const {
    DWORD code = 0xFFFFFFFF;
    if (process) GetExitCodeProcess(process.get(), &code);
    return code;
}

std::string ChildProcess::ErrorOutput() const { return errorPath.empty() ? std::string() : ReadFileText(errorPath); }

void ChildProcess::End() {
    if (process) {
        if (Running()) TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), INFINITE);
        process.Reset();
    }
    if (!errorPath.empty()) DeleteFileW(errorPath.c_str());
    errorPath.clear();
}

namespace {
constexpr wchar_t DESKTOP_PROCESS[] = L"explorer.exe";
}  // namespace

std::vector<DWORD> ChildProcessIds(const wchar_t* program) {
    std::vector<DWORD> children;
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return children;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID != self || entry.th32ProcessID == self) continue;
        // The platform's desktop process, started by whichever process first asked for the desktop.
        if (lstrcmpiW(entry.szExeFile, DESKTOP_PROCESS) == 0) continue;
        if (program && lstrcmpiW(entry.szExeFile, program) != 0) continue;
        children.push_back(entry.th32ProcessID);
    }
    return children;
}

void EndChildProcesses() {
    for (DWORD id : ChildProcessIds()) {
        KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!process) continue;
        TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), 10000);
    }
}

CommandResult RunPeerCommand(const std::wstring& arguments) {
    CommandResult result;
    ChildProcess command;
    if (!command.Start(arguments)) return result;
    if (!PumpUntilSignalled(command.Handle(), kChildWaitMs)) return result;
    result.exitCode = command.ExitCode();
    result.errorOutput = command.ErrorOutput();
    return result;
}

::testing::AssertionResult PeerCommand(const std::wstring& arguments) {
    const CommandResult result = RunPeerCommand(arguments);
    if (result.exitCode == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ToUtf8(arguments) << " exited " << result.exitCode << ": "
                                         << result.errorOutput;
}

PeerReady::PeerReady() : event(CreateEventW(nullptr, TRUE, FALSE, PEER_READY_EVENT_NAME)) {
    ResetEvent(event.get());  // an instance of an earlier test may have left it set
}

::testing::AssertionResult PeerReady::WaitFor(const ChildProcess& peer) const {
    const int signalled = PumpUntilAnySignalled({event.get(), peer.Handle()}, kChildWaitMs);
    if (signalled == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (signalled == 1 ? "the program ended, exit code " : "not ready, ")
                                         << peer.ExitCode() << ": " << peer.ErrorOutput();
}

::testing::AssertionResult PeerReady::Start(ChildProcess& peer, const std::wstring& arguments) const {
    if (!peer.Start(arguments)) return ::testing::AssertionFailure() << "cannot start ArdenoPeer.exe";
    return WaitFor(peer);
}
