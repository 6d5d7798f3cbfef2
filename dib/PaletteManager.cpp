// The palette cache and the GDI forms of the colour-table helpers (PaletteManager.h).
#include "dib/PaletteManager.h"

#include <cstring>
#include <vector>

#include "forms/core/SysUtils.h"

void FillGreyscaleColorTable(RGBQUAD table[256]) { bmp::FillGreyscaleColorTable(CoreTable(table)); }

void PaletteEntriesToRGBQuads(const PALETTEENTRY entries[256], RGBQUAD table[256]) {
  bmp::PaletteEntriesToRGBQuads(reinterpret_cast<const bmp::PaletteEntry*>(entries), CoreTable(table));
}

void RGBQuadsToPaletteEntries(const RGBQUAD table[256], PALETTEENTRY entries[256]) {
  bmp::RGBQuadsToPaletteEntries(CoreTable(table), reinterpret_cast<bmp::PaletteEntry*>(entries));
}

TPaletteItem::~TPaletteItem() {
  if (Palette) DeleteObject(Palette);
}

void TPaletteItem::Release() {
  if (--RefCount <= 0) Free();
}

TPaletteManager::TPaletteManager() : list_(CollectionItemClass<TPaletteItem>()) {}

TPaletteItem* TPaletteManager::Find(HPALETTE palette) const {
  for (int i = 0; i < list_.Count(); ++i) {
    auto* item = static_cast<TPaletteItem*>(list_.Items(i));
    if (item->Palette == palette) return item;
  }
  return nullptr;
}

HPALETTE TPaletteManager::CreatePalette(const RGBQUAD* colors, int count) {
  if (count < 0) count = 0;
  if (count > 256) count = 256;
  int key = count;
  for (int i = 0; i < count; ++i) key += colors[i].rgbBlue + colors[i].rgbGreen + colors[i].rgbRed;
  const size_t bytes = sizeof(RGBQUAD) * static_cast<size_t>(count);
  for (int i = 0; i < list_.Count(); ++i) {
    auto* item = static_cast<TPaletteItem*>(list_.Items(i));
    if (item->Key == key && item->Count == count && std::memcmp(item->ColorTable, colors, bytes) == 0) {
      item->AddRef();
      return item->Palette;
    }
  }
  std::vector<unsigned char> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(count);
  RGBQUAD table[256] = {};
  std::memcpy(table, colors, bytes);
  PALETTEENTRY entries[256];
  RGBQuadsToPaletteEntries(table, entries);
  std::memcpy(log->palPalEntry, entries, sizeof(PALETTEENTRY) * static_cast<size_t>(count));
  HPALETTE palette = ::CreatePalette(log);
  if (!palette) throw EOutOfResources(SOutOfResources);
  auto* item = static_cast<TPaletteItem*>(list_.Add());
  item->Key = key;
  std::memcpy(item->ColorTable, colors, bytes);
  item->Count = count;
  item->Palette = palette;
  item->RefCount = 1;
  return palette;
}

void TPaletteManager::DeletePalette(HPALETTE& palette) {
  if (!palette) return;
  TPaletteItem* item = Find(palette);
  if (!item) return;
  palette = nullptr;
  item->Release();
}

namespace {
TPaletteManager* manager = nullptr;
}

TPaletteManager* PaletteManager() {
  if (!manager) manager = new TPaletteManager;
  return manager;
}

void FreePaletteManager() { FreeAndNil(manager); }
