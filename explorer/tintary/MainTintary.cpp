// The "Tintary" menu: the palette editor started as an automation server, the 224 fractal
// colours sent to it and fetched back by late-bound calls, and the editor closed by
// letting go of its object. The palette array itself is in EditorPalette.cpp.
#include "explorer/render/ColorSettings.h"
#include "explorer/tintary/EditorObject.h"
#include "explorer/tintary/EditorPalette.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "explorer/render/RenderState.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"
#include "forms/comclient/ComClient.h"
#include "forms/comclient/DispatchInvoke.h"
#include "forms/windows/Menus.h"
#include "forms/runtime/Module.h"

TOleVariant EditorObject = TOleVariant::Null();

namespace {

// The object is let go among the finalisations, before COM's apartment is left (which
// InitComObj registered earlier, so it finalises later): released after that, the
// editor's proxy would be called with COM already gone.
void ReleaseEditorObject() { EditorObject.SetNull(); }

void ReleaseEditorAtExit() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  AddFinalization(&ReleaseEditorObject);
}

}  // namespace

void TForm1::BindTintaryItems() {
  Start1->OnClick = MakeEvent(this, &TForm1::Start1Click);
  Send1->OnClick = MakeEvent(this, &TForm1::Send1Click);
  Get1->OnClick = MakeEvent(this, &TForm1::Get1Click);
  Stop1->OnClick = MakeEvent(this, &TForm1::Stop1Click);
}

void TForm1::Start1Click(TObject*) {
  EditorObject.SetNull();
  EditorObject = CreateOleObject(EditorProgID);
  ReleaseEditorAtExit();
  Start1->SetEnabled(false);
  Stop1->SetEnabled(true);
  Get1->SetEnabled(true);
  Send1->SetEnabled(true);
  if (HWND editor = FindWindowA(nullptr, EditorWindowCaption)) SetForegroundWindow(editor);
}

void TForm1::Send1Click(TObject*) {
  TOleVariant palette;
  {
    TPaletteLockHolder lock;
    palette = MakePaletteArray(DXDraw1->ColorTable);
  }
  // The editor is called outside the lock: an 8-bit animation need not wait for it.
  DispatchInvoke(EditorObject, "Set_Palette", {0, FractalColorCount - 1, TDispArg::ByRef(palette)});
}

void TForm1::Get1Click(TObject*) {
  const TOleVariant answer = DispatchInvoke(EditorObject, "Get_Palette", {0, FractalColorCount - 1});
  // Checked whole before the table changes: a short or malformed answer leaves every
  // colour as it was.
  const TEditorColours colours = ReadPaletteArray(answer);
  {
    TPaletteLockHolder lock;
    StoreEditorColours(colours, DXDraw1->ColorTable);
    DXDraw1->UpdatePalette();
    PaletteLoaded = -1;
  }
  const int bits = DXDraw1->Surface() ? DXDraw1->Surface()->BitCount() : 0;
  if (bits != 8) {
    RecolorRequest = 1;
    RestartRender();
  }
}

void TForm1::Stop1Click(TObject*) {
  EditorObject.SetNull();
  Start1->SetEnabled(true);
  Stop1->SetEnabled(false);
  Get1->SetEnabled(false);
  Send1->SetEnabled(false);
}
