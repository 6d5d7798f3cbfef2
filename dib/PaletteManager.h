// The process-wide cache of GDI logical palettes keyed by colour table, so that every
// image with the same colours uses one palette handle; and the pixel-format record and
// colour-table helpers of the portable core in the form the GDI side uses them.
#pragma once

#include <windows.h>

#include "dib/core/PixelFormat.h"
#include "forms/core/Collection.h"

using DIBPixelFormat = bmp::DIBPixelFormat;
using bmp::MaskBitCount;
using bmp::PackPixel;
using bmp::UnpackPixel;

static_assert(sizeof(RGBQUAD) == sizeof(bmp::RgbQuad) && sizeof(PALETTEENTRY) == sizeof(bmp::PaletteEntry),
              "colour entries of the core and of GDI share their layout");

inline bmp::RgbQuad* CoreTable(RGBQUAD* t) { return reinterpret_cast<bmp::RgbQuad*>(t); }
inline const bmp::RgbQuad* CoreTable(const RGBQUAD* t) {
  return reinterpret_cast<const bmp::RgbQuad*>(t);
}

void FillGreyscaleColorTable(RGBQUAD table[256]);
void PaletteEntriesToRGBQuads(const PALETTEENTRY entries[256], RGBQUAD table[256]);
void RGBQuadsToPaletteEntries(const RGBQUAD table[256], PALETTEENTRY entries[256]);
inline DWORD MakeRGBQuad(BYTE red, BYTE green, BYTE blue) { return bmp::MakeRGBQuad(red, green, blue); }

class TPaletteItem : public TCollectionItem {
public:
  explicit TPaletteItem(TCollection* collection) : TCollectionItem(collection) {}
  ~TPaletteItem() override;
  void AddRef() { ++RefCount; }
  // One holder less; the item and its palette go at 0.
  void Release();

  int Key = 0;
  HPALETTE Palette = nullptr;
  int RefCount = 0;
  RGBQUAD ColorTable[256] = {};
  int Count = 0;
};

class TPaletteManager : public TObject {
public:
  TPaletteManager();
  // A palette for the first Count colours, shared with every caller of equal colours.
  HPALETTE CreatePalette(const RGBQUAD* colors, int count);
  // Releases the caller's reference and sets its handle to 0; 0 and handles the cache
  // does not hold are left alone.
  void DeletePalette(HPALETTE& palette);
  bool Owns(HPALETTE palette) const { return Find(palette) != nullptr; }
  int Count() const { return list_.Count(); }

private:
  TPaletteItem* Find(HPALETTE palette) const;
  TCollection list_;
};

// The one cache, made on first use and freed at the library's finalisation.
TPaletteManager* PaletteManager();
void FreePaletteManager();
