// Every pixel measure of the item is given for a 96-dpi screen. On another screen each one is scaled to the
// screen's resolution and rounded half up, as the icon sizes are (16 -> 20 at 120 dpi, 22 at 131, 32 at 192).
// The metrics, the layout, the painting and the icons all take their measures through this one type, so the
// item grows as a whole and 96 dpi keeps every measure as it is.
#pragma once

class ItemScale {
public:
    enum { REFERENCE_DPI = 96 };

    // An unknown resolution (no screen device context gives -1) keeps the 96-dpi measures.
    explicit ItemScale(int dotsPerInch = REFERENCE_DPI) : dpi(dotsPerInch > 0 ? dotsPerInch : REFERENCE_DPI) {}

    // A measure of at least 0 pixels at 96 dpi, in pixels of this resolution.
    int operator()(int pixelsAt96Dpi) const { return (pixelsAt96Dpi * dpi + REFERENCE_DPI / 2) / REFERENCE_DPI; }
    int DotsPerInch() const { return dpi; }

private:
    int dpi;
};
