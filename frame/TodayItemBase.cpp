#include "TodayItemBase.h"

TodayItemBase::TodayItemBase() : selected(false) {
    animationTickCount = 0;
    animationRunning = false;
    animationStartTick = 0;
    dirty = true;
}

int TodayItemBase::GetItemHeight() { return 20; }
