#include "ItemLoader.h"
#include "platform/CappedText.h"
#include "toolbox/SystemError.h"

namespace {

bool HasOptionsDialog(HMODULE module) {
    return GetProcAddress(module, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC)) &&
           FindResourceW(module, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), reinterpret_cast<LPCWSTR>(RT_DIALOG));
}

// True while the code of the window's procedure is still mapped (the DLL is still loaded for another use).
bool ProcedureStillLoaded(HWND window) {
    HMODULE owner = nullptr;
    auto procedure = reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              procedure, &owner) != FALSE;
}

}  // namespace

ItemLoadResult LoadItem(const ItemRegistration& registration, HWND hostWindow) {
    ItemLoadResult result;
    const std::wstring label = L"item '" + registration.name + L"'";
    HMODULE module = LoadLibraryW(registration.dllPath.c_str());
    if (!module) {
        const DWORD code = GetLastError();  // before anything else can set it
        result.note = label + L" skipped: cannot load " + registration.dllPath + L": " + SystemErrorText(code);
        return result;
    }
    auto initialize = ExportByOrdinal<PFNCUSTOMINITIALIZEITEM>(module, ORDINAL_INITIALIZEITEM);
    if (!initialize) {
        FreeLibrary(module);
        result.note = label + L" skipped: " + registration.dllPath + L" has no export 240";
        return result;
    }

    auto item = std::make_unique<HostedItem>();
    TODAYLISTITEM& record = item->record;
    CopyCappedText(record.szName, MAX_ITEMNAME, registration.name.c_str());
    record.tlit = tlitCustom;
    record.dwOrder = registration.order;
    record.cyp = 0;
    record.fEnabled = registration.enabled;
    record.fOptions = registration.options && HasOptionsDialog(module);
    record.grfFlags = registration.flags;
    CopyCappedText(record.szDLLPath, MAX_PATH, registration.dllPath.c_str());
    record.hinstDLL = module;
    record.dwSelectability = registration.selectability;
    item->module = module;

    HWND window = initialize(&record, hostWindow);
    if (!window) {
        FreeLibrary(module);
        result.note = label + (registration.enabled ? L" skipped: it made no window" : L" is disabled");
        return result;
    }
    record.hwndCustom = window;
    item->window = window;
    if (!registration.enabled)
        result.note =
            label + L" is disabled but made a window; it stays hidden";  // unloading it would orphan the window
    result.item = std::move(item);
    return result;
}

std::wstring UnloadItem(HostedItem& item) {
    std::wstring warning;
    if (item.window && IsWindow(item.window)) SendMessageW(item.window, WM_TODAYCUSTOM_CLEARCACHE, 0, 0);
    HWND window = item.window;
    if (item.module) FreeLibrary(item.module);
    item.module = nullptr;
    if (window && IsWindow(window) && !ProcedureStillLoaded(window)) {
        // Its procedure went with its DLL: the next message would crash the host. Detach it, then destroy.
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
        DestroyWindow(window);
        warning = L"item '" + std::wstring(item.Name()) + L"' left its window behind when unloaded";
    }
    item.window = nullptr;
    return warning;
}
