// The info box (see InfoBox.h): the title with two small pictures, the maker's label, the
// logo animation and the key help.
#include "explorer/infobox/InfoBox.h"

#include <windows.h>
#include <shellapi.h>

#include <cmath>

#include "explorer/render/ExplorerControlWord.h"
#include "explorer/app/ExplorerState.h"
#include "forms/graphics/Bitmap.h"
#include "forms/dialogs/Responder.h"
#include "forms/runtime/Thread.h"
#include "kernels/itercore.h"

TForm3* Form3 = nullptr;
double DpiScale = 1.0;
const char MakerWebAddress[] = "https://quorvel.example.org/";

namespace {

struct TKeyHelpLine {
  int X;
  int Top;  // at 96 dots per inch
  const char* Text;
};

const TKeyHelpLine KeyHelp[] = {
    {30, 115, " Switch Mandelbrot/Julia set = Space"},
    {24, 130, " Zoom In = Left Mouse, Num+, Wheel+"},
    {10, 145, " Zoom Out = Ctrl + Left Mouse, Num-, Wheel-"},
    {6, 160, " Image Movement = Arrow Keys, Middle Mouse "},
};

// The pictures beside the title: the Mandelbrot set, in blue on white.
void DrawTitlePicture(TImage* image) {
  const int size = 36;
  TBitmap* bitmap = New<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(size, size);
  TCanvas* canvas = bitmap->Canvas();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const long double cr = -2.1L + x * (2.8L / size), ci = 1.4L - y * (2.8L / size);
      const unsigned n = iterate_FPU(cr, ci, 0, 0, 4, 64);
      const int level = n >= 64 ? 0 : 255 - int(n) * 12 % 200;
      canvas->SetPixels(x, y, static_cast<TColor>(RGB(level / 2, level / 2 + 40, 255)));
    }
  image->Picture()->SetGraphic(bitmap);
  bitmap->Free();
}

}  // namespace

int KeyHelpLineTop(double dpiScale, int line) {
  return static_cast<int>(std::nearbyint(dpiScale * KeyHelp[line].Top));
}

TForm3::TForm3(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetName("Form3");
  SetCaption("Infobox");
  SetBorderStyle(bsToolWindow);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientWidth(273);
  SetClientHeight(254);

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetAutoSize(false);
  Label1->SetAlignment(taCenter);
  Label1->SetBounds(58, 14, 157, 22);
  Label1->Font()->SetName("Times New Roman");
  Label1->Font()->SetHeight(-16);
  Label1->Font()->SetStyle(TFontStyles{fsBold});
  Label1->SetCaption("Quorvel 1.51");

  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(this);
  Label2->SetAutoSize(false);
  Label2->SetAlignment(taCenter);
  Label2->SetBounds(58, 36, 157, 16);
  Label2->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  Label2->SetCursor(crHandPoint);
  Label2->SetCaption("drovantix 2026");
  Label2->OnClick = MakeEvent(this, &TForm3::Label2Click);

  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetParent(this);
  Image1->SetBounds(16, 58, 240, 180);
  Image1->SetCenter(true);
  Image1->SetCursor(crHandPoint);
  Image1->SetVisible(false);
  Image1->OnClick = MakeEvent(this, &TForm3::Image1Click);

  Image2 = new TImage(this);
  Image2->SetName("Image2");
  Image2->SetParent(this);
  Image2->SetBounds(16, 10, 36, 36);
  Image2->SetStretch(true);
  DrawTitlePicture(Image2);

  Image3 = new TImage(this);
  Image3->SetName("Image3");
  Image3->SetParent(this);
  Image3->SetBounds(221, 10, 36, 36);
  Image3->SetStretch(true);
  DrawTitlePicture(Image3);

  MediaPlayer1 = new TMediaPlayer(this);
  MediaPlayer1->SetName("MediaPlayer1");
  MediaPlayer1->OnNotify = MakeEvent(this, &TForm3::MediaPlayer1Notify);

  OnShow = MakeEvent(this, &TForm3::FormShow);
  OnClose = MakeEvent(this, &TForm3::FormClose);
  loader.Finish();
}

void TForm3::WriteKeyHelp() {
  TCanvas* canvas = Image1->Canvas();
  for (int i = 0; i < 4; ++i) canvas->TextOut(KeyHelp[i].X, KeyHelpLineTop(DpiScale, i), KeyHelp[i].Text);
}

void TForm3::FormShow(TObject*) {
  DpiScale = Screen->PixelsPerInch() / 96.0;
  Set8087CW(ExplorerControlWord);
  TCanvas* canvas = Image1->Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clWhite);
  canvas->Font()->SetColor(clBlack);
  try {
    MediaPlayer1->SetFileName(ProgramDir + "drovalog.avi");
    MediaPlayer1->Open();
    MediaPlayer1->SetDisplay(this);
    MediaPlayer1->SetDisplayRect(
        RECT{Image1->Left(), Image1->Top(), Image1->Width(), Image1->Height()});
    MediaPlayer1->SetWait(false);
    MediaPlayer1->SetNotify(true);
    MediaPlayer1->Play();
  } catch (const Exception&) {
    UserResponder().MessageBox(Handle(), "Can't play drovalog.avi!", "Quorvel", MB_OK);
    WriteKeyHelp();
    Image1->Show();
  }
}

void TForm3::MediaPlayer1Notify(TObject*) {
  if (MediaPlayer1->NotifyValue() != nvSuccessful) return;
  TCanvas* canvas = Image1->Canvas();
  canvas->SetCopyMode(SRCCOPY);
  const int left = Image1->Left(), top = Image1->Top();
  const int width = Image1->Width(), height = Image1->Height();
  canvas->CopyRect(RECT{0, 0, width, height}, Canvas(),
                   RECT{left, top, left + width, top + height});
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clBlack);
  canvas->Font()->SetColor(clWhite);
  WriteKeyHelp();
  Image1->Show();
}

void TForm3::Image1Click(TObject*) {
  if (!MediaPlayer1->IsOpen()) return;
  MediaPlayer1->Rewind();
  MediaPlayer1->Play();
}

void TForm3::FormClose(TObject*, TCloseAction&) {
  try {
    MediaPlayer1->Close();
  } catch (const Exception&) {
    // A device that will not close is gone with the next Open's close all the same.
  }
  Image1->Hide();
}

void TForm3::Label2Click(TObject*) {
  ShellExecuteA(Handle(), "open", MakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
