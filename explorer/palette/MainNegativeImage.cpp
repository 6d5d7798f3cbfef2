// The negative image: the colour table inverted under the colour-table lock and shown; a
// surface deeper than 8 bits is then recoloured from IterBuffer without iterating.
#include "explorer/render/ColorSettings.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/NegativeImage.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "explorer/render/RenderState.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"

void TForm1::NegativeImage1Click(TObject*) { InvertPalette(); }

void TForm1::InvertPalette() {
  {
    TPaletteLockHolder lock;
    // The inside colour follows the table at once, so that the two agree even when
    // showing the palette fails.
    InsideColor = InvertColorTable(reinterpret_cast<ColorTableEntry*>(DXDraw1->ColorTable));
    PaletteLoaded = -1;
    DXDraw1->UpdatePalette();
  }
  if (DXDraw1->Surface() && DXDraw1->Surface()->BitCount() == 8) return;
  RecolorRequest = 1;
  DXDraw1->SetSize(DXDraw1->SurfaceWidth(), DXDraw1->SurfaceHeight());
}
