// Openpalettemap1Click: a palette map chosen in the palette-map dialog, with the offset
// chosen there, read into the fractal colours (the reading rules are in PaletteMap.cpp),
// shown, and the image recoloured from the iteration buffer above 8 bits.
#include <memory>
#include <string>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "explorer/files/palettemap/PaletteMap.h"
#include "explorer/files/PaletteOpenDialog.h"
#include "explorer/render/RenderState.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"
#include "forms/dialogs/Responder.h"
#include "forms/core/StringList.h"

void TForm1::Openpalettemap1Click(TObject*) {
  ForceCurrentDirectory = true;
  if (!PaletteDialog->Execute()) return;
  {
    TPaletteLockHolder lock;
    std::vector<std::string> lines;
    {
      auto list = std::make_unique<TStringList>();
      list->LoadFromFile(PaletteDialog->FileName);
      lines.reserve(static_cast<std::size_t>(list->Count()));
      for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Strings(i));
    }
    static_assert(sizeof(ColorTableEntry) == sizeof(RGBQUAD), "the display's entries");
    const PaletteMapResult result = ApplyPaletteMap(
        std::move(lines), PaletteDialog->MapOffset, reinterpret_cast<ColorTableEntry*>(DXDraw1->ColorTable));
    // Shown under the lock on purpose: an 8-bit animation waits until it is closed.
    if (result.Failed)
      ShowMessage("Error reading file in line: " + std::to_string(result.Line));
    DXDraw1->UpdatePalette();
    PaletteOffset = 0;
    PaletteLoaded = -1;
  }
  const int bits = DXDraw1->Surface() ? DXDraw1->Surface()->BitCount() : 0;
  if (bits != 8) {
    RecolorRequest = 1;
    RestartRender();
  }
}
