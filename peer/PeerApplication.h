// The messenger's main application as the item meets it: one top-level window that publishes itself,
// pushes its pending notices to the item, answers the item's messages, and obeys control commands. Its link is
// the kit's (kit/MessengerLink.h); what it sends and receives goes to the transcript.
#pragma once
#include "../kit/MessengerLink.h"
#include "CommandLine.h"
#include "Notice.h"
#include "ShellNotification.h"
#include <string>
#include <vector>

class Transcript;

class PeerApplication {
public:
    PeerApplication(const RunOptions& options, Transcript& transcript);
    ~PeerApplication();
    PeerApplication(const PeerApplication&) = delete;
    PeerApplication& operator=(const PeerApplication&) = delete;

    bool CreateMainWindow(HINSTANCE instance, std::string& error);
    // Publishes the window, raises the notification, and pushes the notices to the item if one is published.
    bool Start(std::vector<Notice> notices, std::string& error);
    // The goodbye of a normal exit: detach from the item, remove the notification, zero the published handle.
    // Safe to call more than once.
    void Shutdown();
    HWND Window() const { return window; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // The item's messages, as the kit took them.
    LRESULT OnLinkEvent(UINT message, WPARAM wParam, LPARAM lParam, LinkEvent& event);
    LRESULT OnPing(LinkEvent& event);
    LRESULT OnActivate(WPARAM item, LinkEvent& event);
    LRESULT OnKeyHandedBack(WPARAM sender, const COPYDATASTRUCT& data, LinkEvent& event);
    LRESULT OnItemAttach(WPARAM item, LinkEvent& event);
    LRESULT OnItemDetach(WPARAM item, LinkEvent& event);
    LRESULT OnStranger(UINT message, WPARAM wParam, LPARAM lParam, LinkEvent& event);
    // Copy-data of the stand-in's own kinds.
    LRESULT OnCopyData(WPARAM sender, const COPYDATASTRUCT& data);
    // Control commands (ControlHandlers.cpp), each a row of PeerCommands().
    friend const std::vector<PeerCommandRow>& PeerCommands();
    LRESULT OnControl(WPARAM sender, const COPYDATASTRUCT& data);
    bool OnSendCommand(const COPYDATASTRUCT& data);
    bool OnAddCommand(const COPYDATASTRUCT& data);
    bool OnSortCommand(const COPYDATASTRUCT& data);
    bool OnClearCommand(const COPYDATASTRUCT& data);
    bool OnStatusCommand(const COPYDATASTRUCT& data);
    bool OnDetachCommand(const COPYDATASTRUCT& data);
    bool OnFloodCommand(const COPYDATASTRUCT& data);
    bool OnHangCommand(const COPYDATASTRUCT& data);
    bool OnSlowCommand(const COPYDATASTRUCT& data);
    bool OnRestartCommand(const COPYDATASTRUCT& data);
    bool OnExitCommand(const COPYDATASTRUCT& data);
    bool OnCrashCommand(const COPYDATASTRUCT& data);
    // The notices of send and add join the pending ones; send pushes them all, add sends only these.
    bool TakeNotices(const COPYDATASTRUCT& data, bool fullPush);
    // The window itself.
    void OnPaint();
    void OnDestroy();

    // What goes to the item, each message to the transcript with its answer (ItemSends.cpp): the full push,
    // notices alone.
    void PushPending();
    void SendNotices(const std::vector<Notice>& notices);
    LinkResult SendNotice(const Notice& notice);
    // Around the kit, for what a well-behaved kit never sends: the payload as it is, to the item the kit knows.
    LinkResult SendRaw(const std::vector<BYTE>& payload);
    // Writes a message the kit sent; nothing was sent when it knew no item.
    LinkResult Logged(UINT message, WPARAM wParam, LinkResult result);

    void AddPending(const std::vector<Notice>& notices);
    void ClearPending();
    // What the messenger does with a key the item hands back: the notice is read, so it leaves the pending
    // ones, the notification follows, and the item gets the rest.
    void OpenNotice(const std::wstring& key);
    // The window published and shown, and the pending notices pushed to a published item.
    bool Appear(std::string& error);
    // A slow messenger answers what the item sends late (the slow command).
    void AnswerLateToItem(UINT message, LPARAM lParam) const;

    RunOptions options;
    Transcript& transcript;
    MessengerLink link;
    ShellNotification notification;
    std::vector<Notice> pending;
    std::vector<Notice> read;  // opened, oldest first
    std::vector<std::wstring> keysReceived;
    HWND window = nullptr;
    HINSTANCE instance = nullptr;
    bool shutDown = false;
    bool restarting = false;  // the window goes without a goodbye and a new one comes
    DWORD slowMs = 0;
};
