// The options dialog as the host's settings page runs it: template 500 from the item module, ordinal
// 241 as its procedure.
#include "frame/ModuleState.h"
#include "support/ItemHarness.h"
#include "support/Registry.h"
#include <gtest/gtest.h>

namespace {

struct DialogCheck {
    UINT endWith = IDOK;
    WORD notifyCode = BN_CLICKED;
    bool found = false;
    std::wstring texts[6];
    bool anyRadioChecked = true;
    bool openAfterRadioCommand = false;
    HWND dialog = nullptr;
};
DialogCheck* g_check = nullptr;

// Runs inside the modal loop: inspect the dialog, then end it with the chosen button.
VOID CALLBACK InspectAndClose(HWND owner, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog) return;
    KillTimer(owner, timer);
    DialogCheck& check = *g_check;
    check.found = true;
    check.dialog = dialog;
    const int ids[] = {IDOK, IDCANCEL, 1001, 1002, 1003};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[32] = {};
        GetDlgItemTextW(dialog, ids[i], text, 32);
        check.texts[i] = text;
    }
    check.anyRadioChecked =
        IsDlgButtonChecked(dialog, 1001) || IsDlgButtonChecked(dialog, 1002) || IsDlgButtonChecked(dialog, 1003);
    // A radio button's command ends nothing.
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    check.openAfterRadioCommand = IsWindow(dialog) != FALSE;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(check.endWith, check.notifyCode), 0);
}

// A dialog its buttons fail to end is ended here after a while, with a result no button gives.
constexpr INT_PTR kNotEndedByItsButton = 99;
VOID CALLBACK EndStuckDialog(HWND owner, UINT, UINT_PTR timer, DWORD) {
    KillTimer(owner, timer);
    if (g_check && g_check->dialog && IsWindow(g_check->dialog)) EndDialog(g_check->dialog, kNotEndedByItsButton);
}

INT_PTR RunDialog(LoadedItem& loaded, DialogCheck& check, PFNCUSTOMOPTIONSDLGPROC procedure = nullptr) {
    g_check = &check;
    SetTimer(loaded.host.hwnd(), 1, 10, InspectAndClose);
    SetTimer(loaded.host.hwnd(), 2, 5000, EndStuckDialog);
    INT_PTR result = DialogBoxParamW(loaded.dll.module, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), loaded.host.hwnd(),
                                     reinterpret_cast<DLGPROC>(procedure ? procedure : loaded.dll.optionsProc),
                                     reinterpret_cast<LPARAM>(&loaded.record));
    KillTimer(loaded.host.hwnd(), 2);
    return result;
}

}  // namespace

TEST(OptionsDialog, TemplateIsChineseWithTheSixControls) {
    ItemDll dll;
    HRSRC resource = FindResourceExW(dll.module, RT_DIALOG, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM),
                                     MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    ASSERT_NE(resource, nullptr);
    const auto* dialog = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(dll.module, resource)));
    EXPECT_EQ(dialog->style, 0x80C80048u);
    EXPECT_EQ(dialog->dwExtendedStyle, 0u);
    EXPECT_EQ(dialog->cdit, 6);
    EXPECT_EQ(dialog->cx, 156);
    EXPECT_EQ(dialog->cy, 177);
}

TEST(OptionsDialog, OpensWithNothingCheckedAndOkEndsWithOne) {
    AbsentRegistryKey absent(L"Software\\Ulmara\\Ardeno");
    LoadedItem loaded;
    UpdateWindow(loaded.item);
    ASSERT_EQ(loaded.Query(), 0);
    DialogCheck check;
    EXPECT_EQ(RunDialog(loaded, check), 1);
    ASSERT_TRUE(check.found);
    const wchar_t* texts[] = {L"\u786E\u5B9A", L"\u53D6\u6D88", L"\u4E00\u884C", L"\u4E24\u884C", L"\u4E09\u884C"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(check.texts[i], texts[i]) << "control " << i;
    EXPECT_FALSE(check.anyRadioChecked);
    EXPECT_TRUE(check.openAfterRadioCommand);
    EXPECT_EQ(loaded.Query(), 1);  // closing marked the item dirty
    // Nothing was stored.
    HKEY key;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Ulmara\\Ardeno", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST(OptionsDialog, CancelEndsWithOneWhateverTheNotification) {
    LoadedItem loaded;
    DialogCheck check;
    check.endWith = IDCANCEL;
    check.notifyCode = 0x1234;
    EXPECT_EQ(RunDialog(loaded, check), 1);
    DialogCheck ok;
    ok.notifyCode = 0x4321;
    EXPECT_EQ(RunDialog(loaded, ok), 1);
}

TEST(OptionsDialog, OnlyItsThreeMessagesAreHandled) {
    LoadedItem loaded;
    HWND dialog = loaded.host.hwnd();  // the procedure never looks at the window for these
    for (UINT message : {UINT(WM_SIZE), UINT(WM_PAINT), UINT(WM_CLOSE), UINT(WM_NOTIFY), UINT(WM_USER)}) {
        EXPECT_FALSE(loaded.dll.optionsProc(dialog, message, 0, 0)) << message;
    }
    EXPECT_TRUE(loaded.dll.optionsProc(dialog, WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0));
}

// With no item (its construction failed), OK and Cancel still close the dialog: the settings page must
// never be stuck in it.
TEST(OptionsDialog, ClosesByItsButtonsEvenWithoutAnItem) {
    ASSERT_EQ(itemPointer, nullptr);  // the item code linked into this test made no item
    LoadedItem loaded;                // for the template and an owner
    for (UINT button : {IDOK, IDCANCEL}) {
        DialogCheck check;
        check.endWith = button;
        EXPECT_EQ(RunDialog(loaded, check, CustomItemOptionsDlgProc), 1) << button;
    }
}
