// A palette editor reduced to what the out-of-process tests look at: the server start-up
// of the real editor (TintaryServer.h), a main window with the editor's caption and its
// default palette (entry i grey 255 - i), and the message loop.
#include <windows.h>

#include <array>
#include <cstdint>

#include "TintaryServer.h"
#include "forms/Application.h"
#include "forms/Forms.h"
#include "forms/Module.h"

namespace {

class THostForm : public TForm {
public:
  explicit THostForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetCaption("Palette Editor v1.2 - [ Untitled ]");
    SetBounds(100, 100, 336, 400);
    for (int i = 0; i < 256; ++i) palette[i] = 0x00010101u * static_cast<std::uint32_t>(255 - i);
    OnCreate = MakeEvent(this, &THostForm::FormCreate);
    OnDestroy = MakeEvent(this, &THostForm::FormDestroy);
  }
  void FormCreate(TObject*) {
    TintaryServerAttach(this, palette.data(), MakeEvent(this, &THostForm::PaletteChanged));
    if (TintaryStartedByCom()) SetBorderIcons(TBorderIcons{});
  }
  void FormDestroy(TObject*) { TintaryServerDetach(); }
  void PaletteChanged(TObject*) { Invalidate(); }

  std::array<std::uint32_t, 256> palette{};
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  int exitCode = 0;
  if (!TintaryServerStart(exitCode)) {
    FinalizeUnits();
    return exitCode;
  }
  Application->SetTitle("Palette Editor");
  THostForm* form = nullptr;
  Application->CreateForm(form);
  Application->Run();
  FinalizeUnits();
  return 0;
}
