// BuildDefaultPalette: the colour table rebuilt from the slopes under the colour-table
// lock, kept as the display control's default table, and shown.
#include "explorer/palette/DefaultPalette.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "display/DXDraw.h"

void TForm1::BuildDefaultPalette() {
  TPaletteLockHolder lock;
  FillDefaultPalette(reinterpret_cast<ColorTableEntry*>(DXDraw1->ColorTable));
  for (int i = 0; i < ColorTableSize; ++i) DXDraw1->DefColorTable[i] = DXDraw1->ColorTable[i];
  DXDraw1->UpdatePalette();
}
