// Construction and teardown of the messenger state.
#include "MessengerItemModel.h"
#include "../settings/RegistrySettings.h"

namespace {
constexpr LANGID LANGUAGE_CHINESE_PRC = 2052;
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
      chineseLanguage(false) {
    selected = false;
    chineseLanguage = GetSystemDefaultLangID() == LANGUAGE_CHINESE_PRC;
    // If anything below throws, the settings object, the members and the base levels are released by
    // their destructors in reverse order of construction.
    RegistrySettings settings;
    settings.Load();
    installPath = settings.installPath;
    icons.LoadIcons();
}

MessengerItemModel::~MessengerItemModel() {
    // The main application hears of the goodbye while the item window still exists.
    link.SayGoodbye();
    DestroyItemWindow();
    link.Unpublish();
    icons.ReleaseIcons();
    installPath.clear();
    installPath.shrink_to_fit();
    link.notices.Release();
}

void MessengerItemModel::StopAnimation() {
    animationCountdown = 0;
    animationRunning = false;
    animationTickCount = 0;
    KillTimer(window, ANIMATION_TIMER_ID);
    dirty = true;
}

void MessengerItemModel::OnWindowDestroyed(HWND destroyed) {
    // The item's own teardown forgets the window before destroying it; this is someone else's (the host's
    // window went, taking its children): a handle kept would later name whatever window gets it next.
    if (!destroyed || destroyed != window) return;
    window = nullptr;
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
