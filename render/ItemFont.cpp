#include "ItemFont.h"

LOGFONTW ItemFontDescription(int fontHeight) {
    LOGFONTW font = {};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
    font.lfHeight = -fontHeight;  // a character height, not a cell height
    // The width follows the height. A stock font may report a fixed width for its own height (desktop
    // reports 7 for 16 pixels); kept with another height it squeezes or stretches every glyph.
    font.lfWidth = 0;
    return font;
}
