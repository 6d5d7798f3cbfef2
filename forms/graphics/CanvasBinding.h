// TCanvasBinding: a canvas drawing on a device context that someone else owns, for one
// scope. The canvas is locked and bound at the start, unbound and unlocked at the end,
// also when the drawing raises, so that it never keeps a context its owner gives back.
#pragma once

#include <windows.h>

#include "forms/graphics/Graphics.h"

class TCanvasBinding {
public:
  TCanvasBinding(TCanvas& canvas, HDC dc) : canvas_(canvas) {
    canvas_.Lock();
    canvas_.SetHandle(dc);
  }
  ~TCanvasBinding() {
    canvas_.SetHandle(nullptr);
    canvas_.Unlock();
  }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
  TCanvas& canvas_;
};
