// BuildDefaultPalette: the colour table rebuilt from the slopes under the colour-table
// lock, kept as the display control's default table, and shown.
#include "DefaultPalette.h"
#include "MainForm.h"
#include "PaletteLockHolder.h"
#include "display/DXDraw.h"

void TForm1::BuildDefaultPalette() {
  TPaletteLockHolder lock;
  FillDefaultPalette(reinterpret_cast<ColorTableEntry*>(DXDraw1->ColorTable));
  for (int i = 0; i < ColorTableSize; ++i) DXDraw1->DefColorTable[i] = DXDraw1->ColorTable[i];
  DXDraw1->UpdatePalette();
}
