// Runs a program of the test folder, or one test of this program, in a child process, so that a crash or a hang
// fails one test instead of the whole test program.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

struct ChildRun {
    bool started = true;    // false: it could not be started (the platform's error in exitCode)
    bool finished = false;  // false: still running at the time-out, and terminated
    DWORD exitCode = 0;
};

// The program (a file name beside the test program) with the arguments, waited on for at most timeoutMs.
ChildRun RunChild(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs);

// Runs one test of this same program ("Suite.Test", of a suite whose name starts with "InChild": ctest never runs
// those itself) in a child process and waits at most timeoutMs, dispatching messages meanwhile. Success when the
// child's test passed; otherwise the failure says whether it failed, crashed (with the exception code) or hung,
// with the child's output.
::testing::AssertionResult PassesInChildProcess(const std::string& test, DWORD timeoutMs = 45000);
