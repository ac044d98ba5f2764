// Construction and teardown of the messenger state.
#include "MessengerItemModel.h"
#include "../link/LinkProtocol.h"
#include "../settings/RegistrySettings.h"

#define LANGUAGE_CHINESE_PRC 2052

MessengerItemModel::MessengerItemModel(HINSTANCE module)
    : prevArrowLit(false),
      nextArrowLit(false),
      icons(module),
      textColor(0),
      highlightedTextColor(0),
      highlightColor(0),
      currentTextColor(0),
      animationCountdown(0),
      statusMode(false),
      chineseLanguage(false),
      mainWindow(nullptr) {
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
    if (mainWindow) SendToMainWindow(LINKM_ITEM_DETACH, reinterpret_cast<WPARAM>(window), 0);
    DestroyItemWindow();
    if (todaySection.IsOpen()) {
        const DWORD none = 0;
        todaySection.Write(0, &none, sizeof(none));
        todaySection.Close();
    }
    icons.ReleaseIcons();
    installPath.clear();
    installPath.shrink_to_fit();
    notices.Release();
}

void MessengerItemModel::StopAnimation() {
    animationCountdown = 0;
    animationRunning = false;
    animationTickCount = 0;
    KillTimer(window, ANIMATION_TIMER_ID);
    dirty = true;
}
