#include "OptionsDialogRunner.h"
#include <cwchar>
#include "ItemLoader.h"
#include "toolbox/SystemError.h"

namespace {

constexpr DWORD DIALOG_GUARD_MS = 5000;

struct OwnedDialogSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND candidate, LPARAM context) {
    auto search = reinterpret_cast<OwnedDialogSearch*>(context);
    wchar_t className[16];
    if (GetWindow(candidate, GW_OWNER) == search->owner && GetClassNameW(candidate, className, 16) &&
        wcscmp(className, L"#32770") == 0) {
        search->found = candidate;
        return FALSE;
    }
    return TRUE;
}

HWND FindOwnedDialog(HWND owner) {
    OwnedDialogSearch search = {owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchOwnedDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

DLGPROC OptionsDialogRunner::Procedure(const HostedItem& item) {
    return item.record.fOptions ? ExportByOrdinal<DLGPROC>(item.module, ORDINAL_OPTIONSDIALOGPROC) : nullptr;
}

bool OptionsDialogRunner::Run(HWND owner, HostedItem& item, DLGPROC procedure, DialogClose close, std::wstring& error) {
    const std::wstring label = L"item '" + std::wstring(item.Name()) + L"'";
    pendingClose = close;
    guardFired = false;
    if (close != DialogClose::None) SetTimer(owner, HOST_DIALOG_GUARD_TIMER_ID, DIALOG_GUARD_MS, nullptr);
    SetLastError(0);
    INT_PTR result = DialogBoxParamW(item.module, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), owner, procedure,
                                     reinterpret_cast<LPARAM>(&item.record));
    DWORD lastError = GetLastError();
    KillTimer(owner, HOST_DIALOG_GUARD_TIMER_ID);
    pendingClose = DialogClose::None;
    if (result == -1) {
        error = L"the options dialog of " + label + L" could not be made: " + SystemErrorText(lastError);
        return false;
    }
    if (guardFired) {
        error = L"the options dialog of " + label + L" did not close when asked; it was ended";
        return false;
    }
    return true;
}

void OptionsDialogRunner::OnEnterIdle(WPARAM reason, HWND dialog) {
    if (reason != MSGF_DIALOGBOX || pendingClose == DialogClose::None || !dialog) return;
    const int button = pendingClose == DialogClose::Ok ? IDOK : IDCANCEL;
    pendingClose = DialogClose::None;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void OptionsDialogRunner::OnGuardTimer(HWND owner) {
    KillTimer(owner, HOST_DIALOG_GUARD_TIMER_ID);
    if (HWND dialog = FindOwnedDialog(owner)) {
        guardFired = true;
        EndDialog(dialog, 0);
    }
}
