#include "OptionsDialog.h"

namespace {
const INT_PTR OPTIONS_DIALOG_RESULT = 1;
}  // namespace

bool EndsOptionsDialog(UINT controlId) { return controlId == IDOK || controlId == IDCANCEL; }

void EndOptionsDialog(HWND dialog) { EndDialog(dialog, OPTIONS_DIALOG_RESULT); }
