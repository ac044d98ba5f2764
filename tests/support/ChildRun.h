// Runs a program of the test folder in a child process, so that a crash or a hang fails one test instead of
// the whole test program.
#pragma once
#include <windows.h>
#include <string>

struct ChildRun {
    bool finished = false;  // false: still running at the time-out, and terminated
    DWORD exitCode = 0;
};

// The program (a file name beside the test program) with the arguments, waited on for at most timeoutMs.
ChildRun RunChild(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs);

// A file of the inputs found by probing the item, kept beside the project (../shared/data).
std::wstring SharedDataFile(const std::wstring& name);
