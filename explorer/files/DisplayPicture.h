// What the display shows now, as a 24-bit bitmap at the surface's size: the picture the
// image files and the printer take.
#pragma once

#include <memory>

#include "forms/graphics/Bitmap.h"

class TDXDraw;

std::unique_ptr<TBitmap> DisplayPicture(TDXDraw* display);
