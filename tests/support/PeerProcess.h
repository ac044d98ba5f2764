// Running ArdenoPeer.exe from a test (the stand-in's own tests and the end-to-end tests): child processes
// that are always ended, the bound of a wait on them (the platform's pumps keep answering the messages the
// program sends to the test's windows meanwhile), and scratch files.
#pragma once
#include <windows.h>
#include "toolbox/MessagePump.h"
#include "platform/ScopedHandles.h"
#include "ScratchFiles.h"
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using EnvironmentOverrides = std::vector<std::pair<std::wstring, std::wstring>>;

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { End(); }
    ChildProcess(ChildProcess&& other) noexcept { *this = std::move(other); }
    ChildProcess& operator=(ChildProcess&& other) noexcept;

    // Command line after the program name; the environment is ours without ARDENO_PEER_*, plus `environment`.
    bool Start(const std::wstring& arguments, const EnvironmentOverrides& environment = {});
    // The same for another program of the test folder ("TodayHost.exe").
    bool StartProgram(const std::wstring& program, const std::wstring& arguments,
                      const EnvironmentOverrides& environment = {});
    // As the item starts the messenger: a program path and no command line at all.
    bool StartWithoutCommandLine(const std::wstring& program, const EnvironmentOverrides& environment);
    HANDLE Handle() const { return process.get(); }
    bool Running() const;
    DWORD ExitCode() const;
    // What the program wrote to its standard error.
    std::string ErrorOutput() const;
    // Terminates it if it still runs and waits until it has gone.
    void End();

private:
    bool Launch(const std::wstring& program, wchar_t* commandLine, const EnvironmentOverrides& environment);
    KernelHandle process;
    std::wstring errorPath;
};

// The bound of a wait on a child program (pumping, since it sends to the test's windows synchronously):
// for what comes within a second, so only a fault runs into it.
constexpr DWORD kChildWaitMs = 20000;

// The processes this process started that still run (only those of one program file, when named): also
// the ones started by code under test, which hands back no handle.
std::vector<DWORD> ChildProcessIds(const wchar_t* program = nullptr);
// Terminates every process this process started that still runs, and waits until each has gone.
void EndChildProcesses();
// Ends at scope exit whatever this process started, so that nothing outlives a test that failed midway.
struct ChildProcessSweep {
    ChildProcessSweep() = default;
    ~ChildProcessSweep() { EndChildProcesses(); }
    ChildProcessSweep(const ChildProcessSweep&) = delete;
    ChildProcessSweep& operator=(const ChildProcessSweep&) = delete;
};

// The program's ready event, reset for the test's lifetime: set once a main instance has published its window and
// pushed what it holds.
class PeerReady {
public:
    PeerReady();
    HANDLE get() const { return event.get(); }
    // Waits, pumping, until the instance is ready; the failure says whether it ended or never got ready.
    ::testing::AssertionResult WaitFor(const ChildProcess& peer) const;
    // Starts the program in `peer` with the command line after its name, then waits as WaitFor does.
    ::testing::AssertionResult Start(ChildProcess& peer, const std::wstring& arguments) const;

private:
    KernelHandle event;
};

struct CommandResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string errorOutput;
};
// Runs one command of the program to its end (pumping meanwhile).
CommandResult RunPeerCommand(const std::wstring& arguments);
// The same for a command that must succeed; the failure names it, with its exit code and error output.
::testing::AssertionResult PeerCommand(const std::wstring& arguments);

// A path as one word of a command line.
inline std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// The folder of the test program, where the program under test and its DLLs are built.
std::wstring ProgramFolder();
