// Construction and teardown of the messenger state.
#include "MessengerItemModel.h"
#include "../settings/RegistrySettings.h"
#include "ModuleState.h"
#include <string.h>

namespace {
const LANGID LANGUAGE_CHINESE_PRC = 2052;
}  // namespace

MessengerItemModel::MessengerItemModel(HINSTANCE module)
    : prevArrowLit(false),
      nextArrowLit(false),
      icons(module),
      textColor(0),
      highlightedTextColor(0),
      highlightColor(0),
      currentTextColor(0),
      animationCountdown(0),
      chineseLanguage(false),
      noticeShown(false),
      paints(0),
      wholeRepaintAsked(false),
      actionRunning(false),
      existenceCheckTimer(0) {
    selected = false;
    chineseLanguage = GetSystemDefaultLangID() == LANGUAGE_CHINESE_PRC;
    RegistrySettings settings;
    settings.Load();
    memcpy(installPath, settings.installPath, sizeof(installPath));
    // Icons that cannot be made now (memory short) are made at a later paint.
    icons.LoadIcons();
}

MessengerItemModel::~MessengerItemModel() {
    // The main application hears of the goodbye while the item window still exists.
    link.SayGoodbye();
    DestroyItemWindow();
    link.Unpublish();
    // A pending look at the window must not fire once the module is gone.
    if (existenceCheckTimer) KillTimer(NULL, existenceCheckTimer);
    existenceCheckTimer = 0;
    icons.ReleaseIcons();
    fittedPortraits.ReleaseAll();
    shownKey.Clear();
    link.notices.Release();
}

void MessengerItemModel::StopAnimation() {
    animationCountdown = 0;
    animationRunning = false;
    animationTickCount = 0;
    dirty = true;
}

void MessengerItemModel::OnDestroyMessage(HWND destroyed) {
    // The item's own teardown forgets its window before destroying it: nothing to look at then.
    if (!destroyed || destroyed != window || existenceCheckTimer) return;
    existenceCheckTimer = SetTimer(NULL, 0, 0, ItemExistenceCheckProc);
    // Without a timer the look waits for the unload, which lets a destroyed window go as well: a handle to a
    // window that no longer exists fails every call harmlessly meanwhile.
}

void MessengerItemModel::CheckWindowStillExists(UINT_PTR timerId) {
    if (timerId == existenceCheckTimer) {
        KillTimer(NULL, timerId);
        existenceCheckTimer = 0;
    }
    if (window && !IsWindow(window)) OnWindowDestroyed();
}

void MessengerItemModel::OnWindowDestroyed() {
    // A handle kept would later name whatever window gets it next; its timers went with it.
    window = NULL;
    highlightTimerRunning = false;
    prevArrowLit = false;
    nextArrowLit = false;
    link.ItemWindowDestroyed();
}

void MessengerItemModel::ReleaseWindow() {
    DestroyItemWindow();
    highlightTimerRunning = false;
    prevArrowLit = false;
    nextArrowLit = false;
    animationRunning = false;
    animationTickCount = 0;
    animationCountdown = 0;
}
