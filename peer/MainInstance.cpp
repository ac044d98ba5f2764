#include "MainInstance.h"
#include "NoticesFile.h"
#include "PeerApplication.h"
#include "PeerNames.h"
#include "RunningInstance.h"
#include "Transcript.h"
#include "../platform/ScopedHandles.h"
#include "../toolbox/Console.h"
#include <cstdio>

namespace {

int Fail(const std::string& message) {
    WriteError("ArdenoPeer: " + message + "\n");
    return PeerExitFailure;
}

// Closes the ready event unset, so that a later wait does not see this instance's readiness.
struct ReadyEvent {
    KernelHandle event{CreateEventW(nullptr, TRUE, FALSE, PEER_READY_EVENT_NAME)};
    ~ReadyEvent() {
        if (event) ResetEvent(event.get());
    }
    void Set() {
        if (event) SetEvent(event.get());
    }
};

}  // namespace

int RunMainInstance(HINSTANCE instance, const RunOptions& options) {
    std::vector<Notice> notices;
    std::string error;
    if (!options.noticesPath.empty() && !LoadNoticesFile(options.noticesPath, notices, error)) return Fail(error);
    if (HWND running = FindRunningInstance()) {
        char text[80];
        snprintf(text, sizeof(text), "an instance is already running (window 0x%08lX)",
                 static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(running)));
        return Fail(text);
    }
    Transcript transcript;
    if (!transcript.Open(options.transcriptPath, error)) return Fail(error);

    ReadyEvent ready;
    PeerApplication application(options, transcript);
    if (!application.CreateMainWindow(instance, error) || !application.Start(std::move(notices), error))
        return Fail(error);
    ready.Set();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // A restart that could not bring the window back quits with 1: the program then failed, and says so.
    return message.wParam == 0 ? PeerExitOk : Fail("the main window could not be made again after a restart");
}
