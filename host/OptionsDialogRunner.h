// An item's options dialog, run as the Today settings page runs it: template 500 of the item's DLL, export 241
// as its procedure, the item's record as the init parameter. A script closes it with a button press once it
// waits for input; a guard timer ends one that never does, so that no script hangs on it.
#pragma once
#include <windows.h>
#include <string>
#include "HostedItem.h"

enum class DialogClose { None, Ok, Cancel };

constexpr UINT_PTR HOST_DIALOG_GUARD_TIMER_ID = 2;

class OptionsDialogRunner {
public:
    // The dialog procedure of an item registered with options whose DLL has one; null otherwise.
    static DLGPROC Procedure(const HostedItem& item);
    // Runs the item's dialog with its procedure, owned by owner, until it closes; close None leaves that to a
    // person. False with why.
    bool Run(HWND owner, HostedItem& item, DLGPROC procedure, DialogClose close, std::wstring& error);
    // The owner's WM_ENTERIDLE: the dialog has shown itself and waits, the moment to press its button.
    void OnEnterIdle(WPARAM reason, HWND dialog);
    // The owner's guard timer fired: the dialog never went idle.
    void OnGuardTimer(HWND owner);

private:
    DialogClose pendingClose = DialogClose::None;
    bool guardFired = false;
};
