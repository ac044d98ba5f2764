// The system font-size setting, which sizes the item's text.
#pragma once
#include "RegistryKey.h"

// "CurFont" under \ControlPanel\Stylus\96DPI, clamped to 500..1200 as an unsigned number; 900 when it
// cannot be read.
DWORD ReadSystemFontSize();

// The same setting read at every paint: the key stays open, so a paint costs one query and a change of the
// value still reaches the next paint. A key deleted meanwhile is opened afresh.
class SystemFontSizeSetting {
public:
    DWORD Read();

private:
    RegistryKey key;
};
