// The main window's file commands: New, Open (by the open dialog's filter index, palette
// files or the colour table of a bitmap) and Save and Save As (in PaletteFormat). An
// Open reads into a copy of WorkPalette and changes the editor's state only when the
// file was read whole, so a failed Open can never lead a later Save onto that file.
#include <windows.h>

#include "paletteeditor/palette/BitmapPalette.h"
#include "paletteeditor/mainwindow/FormMain.h"
#include "paletteeditor/palette/Palette.h"
#include "paletteeditor/preview/PreviewWindow.h"
#include "paletteeditor/core/EditorText.h"
#include "paletteeditor/core/PaletteFiles.h"
#include "forms/core/SysUtils.h"

namespace {

// The open dialog's filter indices.
enum : int { kOpenAuto = 1, kOpenRaw = 2, kOpenJasc = 3, kOpenMap = 4, kOpenBitmap = 5 };

struct DIBFreer {
  TDIB* dib;
  ~DIBFreer() { dib->Free(); }
};

}  // namespace

void TFrmMain::New1Click(TObject*) {
  DefaultPalette();
  RecreateLogPalette();
  SelectEntry(0);
  SetCaption(pal::EditorWindowCaption);
  PaletteFileName.clear();
  convertedImage_ = false;
  SetPaletteActive(true);
  cnvPalette->Repaint();
}

void TFrmMain::Open1Click(TObject*) {
  if (!OpenPaletteDialog->Execute()) return;
  const std::string fileName = OpenPaletteDialog->FileName;
  const int index = OpenPaletteDialog->FilterIndex;
  pal::PaletteColours loaded = WorkPalette;
  std::int32_t format = pal::NoPaletteFormat;
  bool converted = false;
  switch (index) {
    case kOpenAuto:
      format = ReadPaletteAuto(fileName, loaded);
      if (format == pal::NoPaletteFormat) return;  // a header error box was shown
      break;
    case kOpenRaw:
      ReadRawPalette(fileName, loaded);
      break;
    case kOpenJasc:
      if (!ReadJascPalette(fileName, loaded)) return;
      break;
    case kOpenMap:
      ReadMapPalette(fileName, loaded);
      break;
    case kOpenBitmap:
      converted = LoadBitmapPalette(fileName, Form2->dxp1->DIB(), loaded);
      break;
    default:
      return;
  }
  if (index != kOpenAuto) format = index - 1;

  WorkPalette = loaded;
  if (index == kOpenBitmap) {
    Form2->dxp1->Invalidate();
    selectedIndex_ = 0;
    cnvPalette->Repaint();
    PreviewFirstEntry = 0;
  }
  PaletteFormat = format;
  PaletteFileName = fileName;
  convertedImage_ = converted;
  SetCaption(pal::EditorCaptionFor(ExtractFileName(fileName)));
  RecreateLogPalette();
  cnvPalette->Repaint();
  SelectEntry(0);
  SetPaletteActive(true);
}

void TFrmMain::Save1Click(TObject*) {
  if (!paletteActive_) return;
  if (PaletteFileName.empty() || convertedImage_) {
    SaveAs1Click(this);
  } else {
    switch (PaletteFormat) {
      case pal::RawPalette:
        SaveRawPalette(PaletteFileName);
        break;
      case pal::JascPalette:
        SaveJascPalette(PaletteFileName);
        break;
      case pal::MapPalette:
        SaveMapPalette(PaletteFileName);
        break;
      case pal::BitmapPalette:
        SaveBitmap();
        break;
      default:
        break;
    }
  }
  SetCaption(pal::EditorCaptionFor(PaletteFileName));
}

// The preview's picture with WorkPalette itself as its colour table, all 256 entries as
// they are: the turn by the selected entry is the preview's alone and is not saved.
void TFrmMain::SaveBitmap() {
  cnvPalette->Repaint();
  Form2->UpdatePreview();
  TDIB* picture = New<TDIB>();
  DIBFreer freer{picture};
  picture->Assign(Form2->dxp1->DIB());
  for (int i = 0; i < pal::PaletteSize; ++i)
    picture->ColorTable[i] = RGBQUAD{pal::BlueOf(WorkPalette[i]), pal::GreenOf(WorkPalette[i]),
                                     pal::RedOf(WorkPalette[i]), 0};
  picture->UpdatePalette();
  if (LowerCase(ExtractFileExt(PaletteFileName)) == ".dib") picture->Compress();
  picture->SaveToFile(PaletteFileName);
}

void TFrmMain::SaveAs1Click(TObject*) {
  if (!paletteActive_) return;
  if (!SavePaletteDialog->Execute()) return;
  PaletteFormat = SavePaletteDialog->FilterIndex;
  PaletteFileName = SavePaletteDialog->FileName;
  convertedImage_ = false;
  Save1Click(this);
}
