// DrawSelectionRect, declared in SelectionRect.h.
#include "explorer/navigation/SelectionRect.h"

#include <algorithm>

void DrawSelectionRect(HWND window, TSelPoint p1, TSelPoint p2, bool invert) {
  const RECT r{std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::max(p1.X, p2.X),
               std::max(p1.Y, p2.Y)};
  HDC dc = GetDC(window);
  if (!dc) return;
  if (invert) InvertRect(dc, &r);
  DrawFocusRect(dc, &r);
  ReleaseDC(window, dc);
}
