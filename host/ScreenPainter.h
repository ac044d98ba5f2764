// What the host draws itself, from a view of it: the background, the date line that heads the list, the bar
// with the clock and the notification badge, and the bubble with the newest notification. Painting reads the
// view and changes nothing.
#pragma once
#include <windows.h>
#include "ColorScheme.h"
#include "HostClock.h"
#include "HostMeasures.h"
#include "NotificationList.h"
#include "Watermark.h"

struct ScreenView {
    RECT client;
    RECT header;  // where the list's date line stands now (it scrolls with the list)
    HostMeasures measures;
    const ColorScheme& colors;
    const Watermark& watermark;
    const NotificationList& notifications;
    const HostClock& clock;
};

// Composes the screen off-screen and copies it to dc in one transfer, so that it never shows half drawn.
// The item windows are children: clipped out, they paint themselves.
void PaintScreen(HDC dc, const ScreenView& view);
