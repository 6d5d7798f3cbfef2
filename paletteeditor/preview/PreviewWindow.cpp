// The picture preview (see PreviewWindow.h).
#include "paletteeditor/preview/PreviewWindow.h"

#include <cstdint>

#include "paletteeditor/palette/BitmapPalette.h"
#include "paletteeditor/mainwindow/FormMain.h"
#include "paletteeditor/palette/Palette.h"
#include "paletteeditor/core/PreviewPicture.h"
#include "paletteeditor/core/PreviewTable.h"

TForm2* Form2 = nullptr;

static_assert(sizeof(RGBQUAD) == 4, "a colour entry is blue, green, red, reserved");

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetCaption("Picture preview");
  SetBorderStyle(bsSizeToolWin);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
  SetColor(clBlack);
  SetClientWidth(pal::PreviewWidth);
  SetClientHeight(pal::PreviewHeight);
  dxp1 = new TDXPaintBox(this);
  dxp1->SetParent(this);
  dxp1->SetAlign(alClient);
  dxp1->SetStretch(true);
  dxp1->SetKeepAspect(true);
  dxp1->SetCenter(true);
  dxp1->SetAutoStretch(false);
  MakePreviewPicture(dxp1->DIB());
  OnShow = MakeEvent(this, &TForm2::FormShow);
  OnClose = MakeEvent(this, &TForm2::FormClose);
  loader.Finish();
}

void TForm2::FormShow(TObject*) {
  SetClientWidth(pal::PreviewWidth);
  SetClientHeight(pal::PreviewHeight);
  UpdatePreview();
}

void TForm2::FormClose(TObject*, TCloseAction&) {
  if (FrmMain) FrmMain->button1->SetDown(false);
}

void TForm2::UpdatePreview() {
  TDIB* picture = dxp1->DIB();
  const std::uint8_t selected = FrmMain ? FrmMain->SelectedIndex() : 0;
  pal::FillPreviewTable(WorkPalette, selected, PreviewFirstEntry,
                        reinterpret_cast<std::uint8_t(*)[4]>(picture->ColorTable));
  picture->UpdatePalette();
  dxp1->Invalidate();
}
