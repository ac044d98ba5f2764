// An item's options dialog, run as the Today settings page runs it: template 500 of the item's DLL, export
// 241 as its procedure, the item's record as the init parameter.
#include "ItemLoader.h"
#include "TextUtil.h"
#include "TodayHost.h"

constexpr DWORD DIALOG_GUARD_MS = 5000;

bool TodayHost::RunOptionsDialog(HostedItem* item, DialogClose close, std::wstring& error) {
    if (!item) {
        item = Selected();
        if (!item || !item->record.fOptions) {
            item = nullptr;
            for (const auto& candidate : items)
                if (candidate->record.fOptions) {
                    item = candidate.get();
                    break;
                }
        }
    }
    if (!item) {
        error = L"no item has an options dialog";
        return false;
    }
    const std::wstring label = L"item '" + std::wstring(item->Name()) + L"'";
    auto procedure = ExportByOrdinal<DLGPROC>(item->module, ORDINAL_OPTIONSDIALOGPROC);
    if (!item->record.fOptions || !procedure) {
        error = label + L" has no options dialog";
        return false;
    }

    pendingDialogClose = close;
    dialogGuardFired = false;
    if (close != DialogClose::None) SetTimer(window, HOST_DIALOG_GUARD_TIMER_ID, DIALOG_GUARD_MS, nullptr);
    BeginBusy();  // the item's DLL must stay loaded while its dialog runs
    SetLastError(0);
    INT_PTR result = DialogBoxParamW(item->module, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), window, procedure,
                                     reinterpret_cast<LPARAM>(&item->record));
    DWORD lastError = GetLastError();
    KillTimer(window, HOST_DIALOG_GUARD_TIMER_ID);
    pendingDialogClose = DialogClose::None;
    bool ok = true;
    if (result == -1) {
        error = L"the options dialog of " + label + L" could not be made: " + LastErrorText(lastError);
        ok = false;
    } else if (dialogGuardFired) {
        error = L"the options dialog of " + label + L" did not close when asked; it was ended";
        ok = false;
    }
    // Closing the settings page makes the Today screen ask its items again.
    RefreshItems();
    EndBusy();
    return ok;
}

void TodayHost::OnEnterIdle(WPARAM reason, HWND dialog) {
    // The dialog has shown itself and waits for input: now is the moment to press its button.
    if (reason != MSGF_DIALOGBOX || pendingDialogClose == DialogClose::None || !dialog) return;
    const int button = pendingDialogClose == DialogClose::Ok ? IDOK : IDCANCEL;
    pendingDialogClose = DialogClose::None;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}
