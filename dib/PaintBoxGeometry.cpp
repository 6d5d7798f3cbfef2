// The paint box's placement rules (see PaintBoxGeometry.h).
#include "dib/PaintBoxGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Scale factors are single precision; rounding is to the nearest, ties to even.
int Scaled(int size, float m) { return static_cast<int>(std::nearbyint(static_cast<double>(size) * m)); }

float FitFactor(int clientWidth, int clientHeight, int w, int h) {
  return std::min(static_cast<float>(clientWidth) / static_cast<float>(w),
                  static_cast<float>(clientHeight) / static_cast<float>(h));
}

}  // namespace

TPaintBoxPlacement PlacePicture(const TPaintBoxOptions& o, int clientWidth, int clientHeight,
                                int pictureWidth, int pictureHeight) {
  int w = pictureWidth, h = pictureHeight;
  bool fit = false;
  if (o.ViewWidth > 0 || o.ViewHeight > 0) {
    w = o.ViewWidth > 0 ? o.ViewWidth : pictureWidth;
    h = o.ViewHeight > 0 ? o.ViewHeight : pictureHeight;
    if (o.AutoStretch && (clientWidth < w || clientHeight < h)) {
      const float m = FitFactor(clientWidth, clientHeight, w, h);
      w = Scaled(w, m);
      h = Scaled(h, m);
    }
  } else if (o.AutoStretch) {
    fit = clientWidth < pictureWidth || clientHeight < pictureHeight;
  } else if (o.Stretch && !o.KeepAspect) {
    w = clientWidth;
    h = clientHeight;
  } else if (o.Stretch) {
    fit = true;
  }
  if (fit) {
    const float m = FitFactor(clientWidth, clientHeight, pictureWidth, pictureHeight);
    w = Scaled(pictureWidth, m);
    h = Scaled(pictureHeight, m);
  }
  TPaintBoxPlacement p;
  p.Width = w;
  p.Height = h;
  if (o.Center) {
    p.Left = (clientWidth - w) / 2;
    p.Top = (clientHeight - h) / 2;
  }
  p.Scaled = w != pictureWidth || h != pictureHeight;
  return p;
}
