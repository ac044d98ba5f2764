// The messenger's entry in the shell's notification area, up while notices are pending and saying how many.
// The item removes the same entry (class and id) when it finds the messenger gone.
#pragma once
#include <windows.h>
#include <string>

class Transcript;

class ShellNotification {
public:
    ShellNotification(Transcript& transcript, bool chinese) : transcript(transcript), chinese(chinese) {}

    // Shows the pending count: raises the entry, replaces it when the count changed, removes it at 0.
    void Show(HWND sink, size_t pendingCount);
    void Remove();
    // After a restart: whatever the old window left up (or the item removed meanwhile) is replaced.
    void Renew(HWND sink, size_t pendingCount);
    bool IsRaised() const { return raised; }

private:
    void Raise(HWND sink, size_t pendingCount);

    Transcript& transcript;
    bool chinese;
    bool raised = false;
    size_t shownCount = 0;
};

// The entry's HTML body: "<p>2 new messages</p>", "<p>1 new message</p>", or the Chinese "<p>2 条新消息</p>".
std::wstring NotificationHtml(size_t pendingCount, bool chinese);
