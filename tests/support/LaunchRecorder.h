// The main application's install path pointed at launch_recorder.exe (beside the test program), and every
// process the test process starts watched through a job, so a test sees how many starts really happened.
#pragma once
#include "Registry.h"
#include "platform/ScopedHandles.h"
#include <string>
#include <vector>

class LaunchRecorder {
public:
    // Construct before the item DLL loads: the item reads the install path once, when it is created.
    // An installPath given replaces the recorder's (a missing program, say).
    explicit LaunchRecorder(const std::wstring& installPath = L"");
    ~LaunchRecorder();
    LaunchRecorder(const LaunchRecorder&) = delete;
    LaunchRecorder& operator=(const LaunchRecorder&) = delete;

    static std::wstring RecorderPath();  // Windows path of launch_recorder.exe

    // Waits, bounded, until the recorder notes one more start.
    bool WaitForStart(DWORD timeoutMs = 10000);
    // Waits, bounded, until every process started so far has ended; then the number started (-1 when some
    // did not end in time). Every start the item made has happened once the item's call returned, so the
    // count is final.
    int StartsWhenAllEnded(DWORD timeoutMs = 10000);
    // Programs started from now on keep running (with no window) until ReleaseStarted().
    void HoldStarted();
    // ... and show a visible window of class kSplashClass with this title meanwhile, as a program that shows a
    // splash or sign-in window before its main one.
    void HoldStartedShowing(const std::wstring& splashTitle);
    static constexpr const wchar_t* kSplashClass = L"LaunchRecorderSplash";
    void ReleaseStarted();
    // What each recorded start noted (its command line), in order.
    std::vector<std::wstring> CommandLines() const;

private:
    int StartedSoFar() const;

    ScopedRegistryKey productKey;
    KernelHandle job;  // this process stays in the job; closing it kills nothing
    KernelHandle port;
    KernelHandle signal;
    KernelHandle hold;
    std::wstring logPath;
    int ended = 0;
};
