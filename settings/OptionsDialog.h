// The options dialog the host builds from template 500: it offers one, two or three lines but stores
// nothing, so OK and Cancel both just close it.
#pragma once
#include <windows.h>

// OK and Cancel end the dialog; the radio buttons change only their own check marks.
bool EndsOptionsDialog(UINT controlId);
// Ends the dialog with 1, for OK and Cancel alike: there is nothing to undo.
void EndOptionsDialog(HWND dialog);
