// What the tests of the view arithmetic share: the explorer's x87 control word for the
// whole test, and the geometry the render engine derives for a view on a surface.
#pragma once

#include <gtest/gtest.h>

#include "explorer/navigation/Navigation.h"
#include "tests/explorer/render/X87ControlWord.h"

class ViewArithmetic : public ::testing::Test {
protected:
  ViewArithmetic() : ControlWord(ExplorerControlWord) {}
  ScopedControlWord ControlWord;
};

// The geometry of a render of the view on a surface of w x h.
inline TNavGeometry GeometryFor(const TPlaneView& v, int w, int h) {
  TNavGeometry g;
  g.StepY = v.Height / h;
  g.StepX = g.StepY;
  g.SurfaceWidth = g.RenderWidth = w;
  g.SurfaceHeight = g.RenderHeight = h;
  return g;
}
