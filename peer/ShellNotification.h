// The messenger's entry in the shell's notification area, raised while notices are pending. The item removes
// the same entry (class and id) when it finds the messenger gone.
#pragma once
#include <windows.h>

class Transcript;

class ShellNotification {
public:
    explicit ShellNotification(Transcript& transcript) : transcript(transcript) {}

    // Raises the entry once; further calls while it is up do nothing.
    void Raise(HWND sink, size_t pendingCount);
    void Remove();
    bool IsRaised() const { return raised; }

private:
    Transcript& transcript;
    bool raised = false;
};
