// The palette editor's main window: its components, start-up and close, the grid with
// its selection by mouse and keys, the label, the view options and own-palette mode.
// The file commands are in FormMainFiles.cpp, the tools in FormMainTools.cpp.
#include "paletteeditor/mainwindow/FormMain.h"

#include <cmath>
#include <vector>

#include "paletteeditor/app/EditorStartMode.h"
#include "paletteeditor/dialogs/FormAbout.h"
#include "paletteeditor/palette/Palette.h"
#include "paletteeditor/preview/PreviewWindow.h"
#include "paletteeditor/core/EditorText.h"
#include "paletteeditor/core/PaletteTypes.h"
#include "paletteeditor/core/PreviewTable.h"
#include "forms/runtime/Application.h"

std::string PaletteFileName;
std::int32_t PaletteFormat = pal::NoPaletteFormat;
std::uint8_t GridIs16x16 = 1;
HPALETTE LogPaletteHandle = nullptr;
HDC PanelDC = nullptr;
std::uint8_t OwnPaletteSuspended = 0;
std::int32_t PreviewFirstEntry = pal::PreviewFirstEntryStart;

TFrmMain* FrmMain = nullptr;

namespace {

// Sizes of the form at 96 pixels per inch, for the two grid layouts.
struct LayoutSizes {
  int panelHeight, clientHeight, labelTop, buttonTop;
};
constexpr LayoutSizes kLayout16x16{320, 355, 328, 326};
constexpr LayoutSizes kLayout32x8{160, 195, 168, 166};
constexpr int kClientWidth = 328;
constexpr COLORREF kPaletteRelative = 0x02000000;

int Scaled(int value) {
  const double s = Screen->PixelsPerInch() / 96.0;
  return static_cast<int>(std::nearbyint(value * s));
}

int DisplayBitsPerPixel() {
  HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!dc) return 0;
  const int bits = GetDeviceCaps(dc, BITSPIXEL);
  DeleteDC(dc);
  return bits;
}

struct GdiObject {
  HGDIOBJ handle;
  explicit GdiObject(HGDIOBJ h) : handle(h) {
    if (!handle) throw EOutOfResources(SOutOfResources);
  }
  ~GdiObject() { DeleteObject(handle); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
};

}  // namespace

TFrmMain::TFrmMain(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetCaption(pal::EditorTitle);
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);

  Panel1 = new TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetAlign(alClient);
  Panel1->SetBevelOuter(bvLowered);
  MainPanel = new TPanel(this);
  MainPanel->SetParent(Panel1);
  MainPanel->SetAlign(alClient);

  PalettePanel = new TPanel(this);
  PalettePanel->SetParent(MainPanel);
  PalettePanel->SetBounds(2, 2, Scaled(320), Scaled(kLayout16x16.panelHeight));
  PalettePanel->SetBevelOuter(bvNone);
  cnvPalette = new TPaintBox(this);
  cnvPalette->SetParent(PalettePanel);
  cnvPalette->SetAlign(alClient);
  cnvPalette->OnPaint = MakeEvent(this, &TFrmMain::cnvPalettePaint);
  cnvPalette->OnMouseDown = MakeEvent(this, &TFrmMain::cnvPaletteMouseDown);
  cnvPalette->OnDblClick = MakeEvent(this, &TFrmMain::cnvPaletteDblClick);

  pnlPalette = new TPanel(this);
  pnlPalette->SetParent(MainPanel);
  pnlPalette->SetBounds(2, Scaled(kLayout16x16.labelTop), 236, 23);
  lblActiveColour = new TLabel(this);
  lblActiveColour->SetParent(pnlPalette);
  lblActiveColour->SetBounds(6, 5, 220, 13);
  lblActiveColour->SetCaption("-");

  button1 = new TSpeedButton(this);
  button1->SetParent(MainPanel);
  button1->SetBounds(246, Scaled(kLayout16x16.buttonTop), 76, 25);
  button1->SetCaption("Picture");
  button1->SetGroupIndex(66);
  button1->SetAllowAllUp(true);
  button1->OnClick = MakeEvent(this, &TFrmMain::Button1Click);

  // Holds the focus so that the arrow keys reach the form; it has no width to be seen.
  Edit1 = new TEdit(this);
  Edit1->SetParent(MainPanel);
  Edit1->SetBounds(2, 2, 0, 21);
  Edit1->SetTabStop(false);

  OpenPaletteDialog = new TOpenDialog(this);
  OpenPaletteDialog->DefaultExt = "map";
  OpenPaletteDialog->FilterIndex = 4;
  OpenPaletteDialog->Filter =
      "TS/RA2, JASC-PAL (*.pal)|*.pal|TS/RA2 Palette (*.pal)|*.pal|JASC 8Bit Palette (*.pal)|*.pal|"
      "Fractint Palette Maps (*.map)|*.map|8Bit Bitmap files(*.bmp,*.dib)|*.bmp;*.dib";
  SavePaletteDialog = new TSaveDialog(this);
  SavePaletteDialog->DefaultExt = "map";
  SavePaletteDialog->FilterIndex = 3;
  SavePaletteDialog->Filter =
      "TS/RA2 Palette (*.pal)|*.pal|JASC 8Bit Palette (*.pal)|*.pal|Fractint Palette Maps (*.map)|*.map|"
      "8Bit Bitmap files (*.bmp,*.dib)|*.bmp";
  ColorDialog = new TColorDialog(this);
  ColorDialog->Options = TColorDialogOptions{cdFullOpen};

  // The client size is set once the menu bar takes its share of the window.
  BuildMenu();
  SetClientWidth(Scaled(kClientWidth));
  SetClientHeight(Scaled(kLayout16x16.clientHeight));
  OnCreate = MakeEvent(this, &TFrmMain::FormCreate);
  OnShow = MakeEvent(this, &TFrmMain::FormShow);
  OnClose = MakeEvent(this, &TFrmMain::FormClose);
  OnKeyDown = MakeEvent(this, &TFrmMain::FormKeyDown);
  loader.Finish();
}

TMenuItem* TFrmMain::AddItem(TMenuItem* parent, const std::string& caption,
                             void (TFrmMain::*handler)(TObject*)) {
  auto* item = new TMenuItem(this);
  item->SetCaption(caption);
  if (handler) item->OnClick = MakeEvent(this, handler);
  parent->Add(item);
  return item;
}

void TFrmMain::BuildMenu() {
  MainMenu1 = new TMainMenu(this);
  TMenuItem* bar = MainMenu1->Items();
  File1 = AddItem(bar, "File", nullptr);
  New1 = AddItem(File1, "New", &TFrmMain::New1Click);
  Open1 = AddItem(File1, "Open", &TFrmMain::Open1Click);
  N2 = AddItem(File1, "-", nullptr);
  Save1 = AddItem(File1, "Save", &TFrmMain::Save1Click);
  SaveAs1 = AddItem(File1, "Save As", &TFrmMain::SaveAs1Click);
  N1 = AddItem(File1, "-", nullptr);
  Exit1 = AddItem(File1, "Exit", &TFrmMain::Exit1Click);
  View1 = AddItem(bar, "View", nullptr);
  N16x161 = AddItem(View1, "16x16", &TFrmMain::N16x161Click);
  N16x161->SetChecked(true);
  N32x81 = AddItem(View1, "32x8", &TFrmMain::N32x81Click);
  ownpal1 = AddItem(View1, "Own Palette in 8 bit mode", &TFrmMain::ownpal1Click);
  ools1 = AddItem(bar, "Tools", nullptr);
  ChangecolourRGB1 = AddItem(ools1, "Change colour ", &TFrmMain::ChangecolourRGB1Click);
  CopyColours1 = AddItem(ools1, "Copy Colours", &TFrmMain::CopyColours1Click);
  Copyfromotherpalette1 = AddItem(ools1, "Copy from other palette", &TFrmMain::Copyfromotherpalette1Click);
  ExchangeColours1 = AddItem(ools1, "Exchange Colours", &TFrmMain::ExchangeColours1Click);
  RotateColours1 = AddItem(ools1, "Rotate Colours", &TFrmMain::RotateColours1Click);
  ReverseColours1 = AddItem(ools1, "Reverse Colours", &TFrmMain::ReverseColours1Click);
  Gradient1 = AddItem(ools1, "Gradient", &TFrmMain::Gradient1Click);
  Server1 = AddItem(bar, "Server", nullptr);
  Register1 = AddItem(Server1, "Register", &TFrmMain::Register1Click);
  Unregister1 = AddItem(Server1, "Unregister", &TFrmMain::Unregister1Click);
  Help1 = AddItem(bar, "About", &TFrmMain::About1Click);
  SetMenu(MainMenu1);
}

void TFrmMain::FormCreate(TObject*) {
  ownpal1->SetEnabled(DisplayBitsPerPixel() == 8);
  SetCaption(pal::EditorTitle);
  if (EditorStartMode == TEditorStartMode::Automation) {
    Server1->SetEnabled(false);
    SetBorderIcons(TBorderIcons{});
    Exit1->SetEnabled(false);
    Application->OnDeactivate = MakeEvent(this, &TFrmMain::AppDeactivate);
    Application->OnActivate = MakeEvent(this, &TFrmMain::AppActivate);
  }
  // The help item goes to the right end of the menu bar. The menu is rebuilt from its
  // items after every change, so the item carries the flag rather than one ModifyMenu.
  Help1->SetRightJustify(true);
}

void TFrmMain::FormShow(TObject*) {
  PanelDC = GetDC(PalettePanel->Handle());
  if (!PanelDC) RaiseLastOSError();
  SetPaletteActive(false);
  DefaultPalette();
  PalettePanel->SetDoubleBuffered(true);
  RecreateLogPalette();
  New1Click(this);
  if (FrmAbout) FrmAbout->ShowVersion();
}

void TFrmMain::FormClose(TObject*, TCloseAction&) {
  if (PanelDC) SelectPalette(PanelDC, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  if (LogPaletteHandle) DeleteObject(LogPaletteHandle);
  LogPaletteHandle = nullptr;
  if (PanelDC) ReleaseDC(PalettePanel->Handle(), PanelDC);
  PanelDC = nullptr;
}

void TFrmMain::RecreateLogPalette() {
  if (LogPaletteHandle) {
    // A palette still selected into a DC cannot be deleted.
    if (PanelDC) SelectPalette(PanelDC, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    DeleteObject(LogPaletteHandle);
    LogPaletteHandle = nullptr;
  }
  if (!ownpal1->Checked()) return;
  std::vector<BYTE> block(sizeof(LOGPALETTE) + (pal::PaletteSize - 1) * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = pal::PaletteSize;
  // A colour value lies in memory as red, green, blue, 0: a PALETTEENTRY with flags 0.
  for (int i = 0; i < pal::PaletteSize; ++i)
    lp->palPalEntry[i] = PALETTEENTRY{pal::RedOf(WorkPalette[i]), pal::GreenOf(WorkPalette[i]),
                                      pal::BlueOf(WorkPalette[i]), 0};
  LogPaletteHandle = CreatePalette(lp);
  if (!LogPaletteHandle) throw EOutOfResources(SOutOfResources);
}

void TFrmMain::SelectEntry(std::uint8_t index) {
  selectedIndex_ = index;
  lblActiveColour->SetCaption(pal::ActiveColourText(index, WorkPalette[index]));
  cnvPalette->Repaint();
}

void TFrmMain::SetPaletteActive(bool value) {
  paletteActive_ = value;
  cnvPalette->Repaint();
}

void TFrmMain::WorkPaletteReplaced() {
  RecreateLogPalette();
  SelectEntry(0);
  cnvPalette->Repaint();
}

void TFrmMain::PaletteEdited() {
  RecreateLogPalette();
  SelectEntry(selectedIndex_);
}

void TFrmMain::cnvPalettePaint(TObject*) {
  const bool own = ownpal1->Checked() && LogPaletteHandle;
  HDC dc = cnvPalette->Canvas()->Handle();
  HPALETTE previous = nullptr;
  if (own) {
    if (PanelDC) {
      SelectPalette(PanelDC, LogPaletteHandle, FALSE);
      RealizePalette(PanelDC);
    }
    previous = SelectPalette(dc, LogPaletteHandle, FALSE);
    RealizePalette(dc);
  }
  const COLORREF flag = own ? kPaletteRelative : 0;
  const int width = cnvPalette->Width(), height = cnvPalette->Height();
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  const pal::GridLayout grid = Grid();
  for (int i = 0; i < pal::PaletteSize; ++i) {
    const pal::CellRect c = pal::GridCellRect(grid, width, height, i);
    const pal::Colour colour = paletteActive_ ? WorkPalette[i] : pal::GreyOf(WorkPalette[i]);
    GdiObject brush(CreateSolidBrush(colour | flag));
    if (i != selectedIndex_) {
      const RECT r{c.left, c.top, c.right, c.bottom};
      FillRect(dc, &r, static_cast<HBRUSH>(brush.handle));
      continue;
    }
    GdiObject pen(CreatePen(PS_SOLID, 1, pal::ContrastMarkerColour(colour) | flag));
    HGDIOBJ oldPen = SelectObject(dc, pen.handle);
    HGDIOBJ oldBrush = SelectObject(dc, brush.handle);
    Rectangle(dc, c.left, c.top, c.right, c.bottom);
    MoveToEx(dc, c.left, c.top, nullptr);
    LineTo(dc, c.right, c.bottom);
    MoveToEx(dc, c.right, c.top, nullptr);
    LineTo(dc, c.left, c.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
  }
  if (own && previous) SelectPalette(dc, previous, FALSE);
  if (Form2 && Form2->Visible()) Form2->UpdatePreview();
}

void TFrmMain::cnvPaletteMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
  if (!paletteActive_) return;
  SelectEntry(static_cast<std::uint8_t>(
      pal::GridCellAt(Grid(), cnvPalette->Width(), cnvPalette->Height(), x, y)));
  cnvPalette->Repaint();
  if (Edit1->CanFocus()) Edit1->SetFocus();
}

void TFrmMain::cnvPaletteDblClick(TObject* sender) { SpeedButton2Click(sender); }

void TFrmMain::FormKeyDown(TObject* sender, WORD& key, TShiftState) {
  if (!Edit1->Focused()) return;
  pal::GridMove move;
  switch (key) {
    case VK_DOWN:
      move = pal::GridMove::Down;
      break;
    case VK_UP:
      move = pal::GridMove::Up;
      break;
    case VK_LEFT:
      move = pal::GridMove::Left;
      break;
    case VK_RIGHT:
      move = pal::GridMove::Right;
      break;
    case VK_RETURN:
      SpeedButton2Click(sender);
      return;
    default:
      return;
  }
  SelectEntry(static_cast<std::uint8_t>(pal::MoveSelection(Grid(), selectedIndex_, move)));
  cnvPalette->Repaint();
}

void TFrmMain::SpeedButton2Click(TObject*) {
  ColorDialog->Color = static_cast<TColor>(WorkPalette[selectedIndex_]);
  if (!ColorDialog->Execute()) return;
  WorkPalette[selectedIndex_] = static_cast<pal::Colour>(ColorToRGB(ColorDialog->Color));
  // The label follows the colour it describes.
  PaletteEdited();
}

void TFrmMain::Button1Click(TObject*) {
  if (!Form2) return;
  if (button1->Down())
    Form2->Show();
  else
    Form2->Close();
}

void TFrmMain::SetGridLayout(bool is16x16) {
  GridIs16x16 = is16x16 ? 1 : 0;
  const LayoutSizes& sizes = is16x16 ? kLayout16x16 : kLayout32x8;
  PalettePanel->SetHeight(Scaled(sizes.panelHeight));
  SetClientHeight(Scaled(sizes.clientHeight));
  pnlPalette->SetTop(Scaled(sizes.labelTop));
  button1->SetTop(Scaled(sizes.buttonTop));
  N16x161->SetChecked(is16x16);
  N32x81->SetChecked(!is16x16);
  cnvPalette->Repaint();
}

void TFrmMain::N16x161Click(TObject*) { SetGridLayout(true); }

void TFrmMain::N32x81Click(TObject*) { SetGridLayout(false); }

void TFrmMain::ownpal1Click(TObject*) {
  ownpal1->SetChecked(!ownpal1->Checked());
  RecreateLogPalette();
  cnvPalette->Repaint();
}

void TFrmMain::Dispatch(TMessage& message) {
  if (message.Msg == WM_DISPLAYCHANGE) {
    wmdisplaychange(message);
    return;
  }
  TForm::Dispatch(message);
}

void TFrmMain::wmdisplaychange(TMessage& message) {
  // The new depth in bits per pixel is the message's first parameter.
  if (message.WParam == 8) {
    ownpal1->SetEnabled(true);
  } else {
    ownpal1->SetEnabled(false);
    if (ownpal1->Checked()) {
      ownpal1->SetChecked(false);
      RecreateLogPalette();
      cnvPalette->Repaint();
    }
  }
  DefaultHandler(message);
}

void TFrmMain::AppDeactivate(TObject*) {
  if (ownpal1->Checked()) {
    OwnPaletteSuspended = 1;
    ownpal1->SetChecked(false);
    RecreateLogPalette();
    cnvPalette->Repaint();
  } else {
    OwnPaletteSuspended = 0;
  }
}

void TFrmMain::AppActivate(TObject*) {
  if (OwnPaletteSuspended != 1) return;
  ownpal1->SetChecked(true);
  RecreateLogPalette();
  cnvPalette->Repaint();
}

void TFrmMain::Register1Click(TObject*) {
  if (RegisterEditorServer) RegisterEditorServer();
}

void TFrmMain::Unregister1Click(TObject*) {
  if (UnregisterEditorServer) UnregisterEditorServer();
}

void TFrmMain::About1Click(TObject*) {
  if (FrmAbout) FrmAbout->ShowModal();
}

void TFrmMain::Exit1Click(TObject*) { Close(); }
