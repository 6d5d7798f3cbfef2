// The keys by which a form works as a dialog: Enter clicks the focused button or else
// the form's Default button, Escape clicks its Cancel button, Tab and Shift+Tab move
// the focus through the controls that are tab stops. A control that asks for such a
// key itself (WM_GETDLGCODE: a multi-line edit wants Enter and Tab) keeps it.
#pragma once

#include <windows.h>

class TWinControl;

// Called for a WM_KEYDOWN that reached Target; true when the key was used here (the
// character message it made is then taken out of the queue).
bool DialogKey(TWinControl* target, WORD key);
