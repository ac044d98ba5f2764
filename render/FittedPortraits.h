// The portrait in its cell: drawn at its own size at 96 dpi, grown with the screen above it, and never larger
// than the cell (shrunk to fit, keeping its proportions); always centred. A portrait shown at another size than
// its own is stretched once, and the copy kept between paints: a drawing product, so it lives here, keyed by the
// notice's arrival number and by the portrait it was made from, and bounded as the loaded portraits are.
#pragma once
#include "ItemScale.h"
#include <windows.h>

// At most this many stretched copies are kept, those drawn last (as many as portraits stay loaded).
const size_t FITTED_PORTRAITS_MAX = 8;

// A loaded portrait of a notice still held: the only ones whose copies are worth keeping.
struct PortraitInUse {
    unsigned arrival;
    HBITMAP portrait;
};

// The size a picture of `picture` pixels is shown at in a cell of `cell` pixels on a screen of that scale.
SIZE PortraitShownSize(SIZE picture, SIZE cell, const ItemScale& scale);

class FittedPortraits {
public:
    FittedPortraits() : count(0) {}
    ~FittedPortraits() { ReleaseAll(); }

    // Draws the notice's portrait centred in the cell and returns where it went; false in *drawn when it could
    // not be drawn as it should: nothing unfilled is kept. Short of memory the next paint tries again; a stretched
    // copy that failed otherwise is not tried again for that notice at that size (true in *givenUp).
    RECT Draw(HDC dc, unsigned arrival, HBITMAP portrait, const RECT& cell, const ItemScale& scale, bool* drawn,
              bool* givenUp = NULL);
    // Keeps only the copies made from portraits in use; the others (their notice or their portrait went) go.
    void KeepOnly(const PortraitInUse* inUse, size_t inUseCount);
    void ReleaseAll();
    size_t Count() const { return count; }

private:
    FittedPortraits(const FittedPortraits&);
    FittedPortraits& operator=(const FittedPortraits&);

    struct Fitted {
        unsigned arrival;
        HBITMAP source;  // the portrait it was made from: a portrait loaded again is another
        SIZE size;
        HBITMAP copy;  // null: it could not be made, for a reason more tries would not mend
    };
    // The copy of the portrait at that size, made if none is kept; null when it cannot be made, with *givenUp true
    // when it will not be tried again.
    HBITMAP CopyAt(HDC dc, unsigned arrival, HBITMAP portrait, SIZE own, SIZE size, bool* givenUp);
    void ReleaseAt(size_t index);
    void Forget(unsigned arrival);

    Fitted kept[FITTED_PORTRAITS_MAX];  // the one drawn last at the back
    size_t count;
};
