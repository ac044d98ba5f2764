// Crash-prone cases run in a child process, so that a crash or a hang fails one test instead of the whole
// program: the parent test starts this same program with --gtest_filter naming one test of a suite whose name
// starts with "InChild" (ctest never runs those itself) and reports how the child ended.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

// Runs "Suite.Test" in a child process and waits at most timeoutMs, dispatching messages meanwhile. Success
// when the child's test passed; otherwise the failure says whether it failed, crashed (with the exception
// code) or hung, with the child's output.
::testing::AssertionResult PassesInChildProcess(const std::string& test, DWORD timeoutMs = 45000);
