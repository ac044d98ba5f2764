// The messenger's main application as the item meets it: one top-level window that publishes itself,
// pushes its pending notices to the item, answers the item's messages, and obeys control commands.
#pragma once
#include "CommandLine.h"
#include "ItemLink.h"
#include "Notice.h"
#include "ShellNotification.h"
#include "WindowSection.h"
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
    bool Start(std::vector<NoticePayload> notices, std::string& error);
    // The goodbye of a normal exit: detach from the item, remove the notification, zero the published handle.
    // Safe to call more than once.
    void Shutdown();
    HWND Window() const { return window; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // The item's messages.
    LRESULT OnPing();
    LRESULT OnActivate(WPARAM item);
    LRESULT OnCopyData(WPARAM sender, const COPYDATASTRUCT& data);
    LRESULT OnKeyHandedBack(WPARAM sender, const COPYDATASTRUCT& data);
    LRESULT OnItemAttach(WPARAM item);
    LRESULT OnItemDetach(WPARAM item);
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

    void AddPending(const std::vector<NoticePayload>& notices);
    void ClearPending();
    // What the messenger does with a key the item hands back: the notice is read, so it leaves the pending
    // ones, the notification follows, and the item gets the rest.
    void OpenNotice(const std::wstring& key);
    void LinkToPublishedItem();
    // The window published and shown, and the pending notices pushed to a published item.
    bool Appear(std::string& error);
    // A slow messenger answers what the item sends late (the slow command).
    void AnswerLateToItem(UINT message, LPARAM lParam) const;

    RunOptions options;
    Transcript& transcript;
    ItemLink link;
    ShellNotification notification;
    WindowSection mainSection;
    std::vector<NoticePayload> pending;
    std::vector<NoticePayload> read;  // opened, oldest first
    std::vector<std::wstring> keysReceived;
    HWND window = nullptr;
    HINSTANCE instance = nullptr;
    bool shutDown = false;
    bool restarting = false;  // the window goes without a goodbye and a new one comes
    DWORD slowMs = 0;
};
