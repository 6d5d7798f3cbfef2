// TDIB's conversions: between bit counts (SetBitCount) and from other graphics and
// pictures (Assign).
#include <cstring>

#include "dib/core/PixelConvert.h"
#include "dib/DIB.h"
#include "dib/DIBErrors.h"
#include "forms/graphics/Bitmap.h"
#include "forms/graphics/Picture.h"

// GetObject tells a plain bitmap from a DIB section by the size of its answer; the
// structures are larger on x86_64.
#if defined(__i386__)
static_assert(sizeof(BITMAP) == 24 && sizeof(DIBSECTION) == 84, "32-bit GDI structures");
#endif

namespace {

bmp::PixelView ViewOf(TDIB& dib, const RGBQUAD* table) {
  return bmp::PixelView{dib.PBits(), dib.Width(), dib.Height(), dib.WidthBytes(), dib.BitCount(),
                        dib.NowPixelFormat(), CoreTable(table)};
}

}  // namespace

void TDIB::SetBitCount(int bitCount) {
  if (bitCount <= 0) {
    Clear();
    return;
  }
  if (Empty()) {
    SetSize(width_ > 1 ? width_ : 1, height_ > 1 ? height_ : 1, bitCount);
    return;
  }
  TDIB* temp = New<TDIB>();
  struct Freer {
    TDIB* d;
    ~Freer() { d->Free(); }
  } freer{temp};
  temp->Assign(this);
  SetSize(temp->Width(), temp->Height(), bitCount);
  if (image_ == temp->Image()) return;

  const int old = temp->BitCount();
  if (bitCount <= 8 && (old > 8 || bitCount < old)) {
    // Fewer colours: a fixed table, and GDI maps each pixel to its nearest entry.
    switch (bitCount) {
      case 1:
        std::memset(ColorTable, 0, sizeof ColorTable);
        ColorTable[1] = RGBQUAD{255, 255, 255, 0};
        break;
      case 4:
        FillColorCube(ColorTable, 1, 2, 1);
        break;
      default:
        FillColorCube(ColorTable, 3, 3, 2);
        break;
    }
    UpdatePalette();
    Canvas()->Draw(0, 0, temp);
    return;
  }
  const RGBQUAD* oldTable = temp->Image()->ColorTable;
  bmp::ConvertPixels(ViewOf(*temp, oldTable), ViewOf(*this, ColorTable));
}

void TDIB::Assign(TPersistent* source) {
  if (!source) {
    Clear();
  } else if (auto* dib = dynamic_cast<TDIB*>(source)) {
    if (dib != this) SetImage(dib->image_);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    AssignBitmap(bitmap);
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    AssignGraphic(graphic);
  } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
    if (picture->Graphic()) {
      Assign(picture->Graphic());
    } else {
      Clear();
    }
  } else {
    TGraphic::Assign(source);
  }
}

void TDIB::AssignBitmap(TBitmap* bitmap) {
  if (bitmap->Empty()) {
    Clear();
    return;
  }
  // The handle is asked first, so that a bitmap of an unknown kind changes nothing.
  DIBSECTION ds{};
  const int answer = GetObject(bitmap->Handle(), sizeof ds, &ds);
  DIBPixelFormat format = bmp::Format888();
  if (answer == static_cast<int>(sizeof(BITMAP))) {
    if (ds.dsBm.bmBitsPixel == 16) format = bmp::Format555();
  } else if (answer == static_cast<int>(sizeof(DIBSECTION))) {
    if (ds.dsBm.bmBitsPixel > 8 && ds.dsBm.bmBitsPixel < 24)
      format = DIBPixelFormat::FromMasks(ds.dsBitfields[0], ds.dsBitfields[1], ds.dsBitfields[2]);
  } else {
    throw EConvertError(SAssignError, bitmap->ClassName(), ClassName());
  }
  PALETTEENTRY entries[256] = {};
  if (bitmap->Palette()) GetPaletteEntries(bitmap->Palette(), 0, 256, entries);
  PaletteEntriesToRGBQuads(entries, ColorTable);
  UpdatePalette();
  PixelFormat = format;
  SetSize(ds.dsBm.bmWidth, ds.dsBm.bmHeight, ds.dsBm.bmBitsPixel);
  if (Empty()) return;
  std::memset(PBits(), 0, static_cast<size_t>(size_));
  Canvas()->Draw(0, 0, bitmap);
}

void TDIB::AssignGraphic(TGraphic* graphic) {
  SetSize(graphic->Width(), graphic->Height(), 24);
  if (Empty()) return;
  std::memset(PBits(), 0, static_cast<size_t>(size_));
  Canvas()->Draw(0, 0, graphic);
}
