// The zoom selection's rectangle on a window: a focus rectangle, over inverted pixels
// when asked. Both are exclusive-or drawings, so drawing it twice erases it.
#pragma once

#include <windows.h>

#include "explorer/navigation/Navigation.h"

void DrawSelectionRect(HWND window, TSelPoint corner1, TSelPoint corner2, bool invert);
