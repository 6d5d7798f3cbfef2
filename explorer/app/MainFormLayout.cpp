// The main window's form description, built in code inside the loading bracket: the
// window's own properties, the display control, the two timers, the docking panel, the
// main menu and the display's popup menu, and the bindings of their events.
#include "explorer/app/MainForm.h"

#include "explorer/app/DXDrawRenderSurface.h"
#include "explorer/render/RenderEngine.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "forms/controls/Panel.h"
#include "forms/windows/Menus.h"
#include "forms/runtime/Timer.h"

TForm1* Form1 = nullptr;

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption) {
  TMenuItem* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TDXForm(owner) {
  TComponentLoader loader(this);
  SetName("Form1");
  SetCaption("Quorvel");
  SetColor(clBlack);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  Constraints().MinWidth = 256;
  Constraints().MinHeight = 192;
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetBounds(0, 0, 656, 546);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(alBottom);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetCaption("");
  Panel1->SetHeight(0);

  DXDraw1 = new TDXDraw(this);
  DXDraw1->SetName("DXDraw1");
  DXDraw1->SetParent(this);
  DXDraw1->SetAlign(alClient);
  DXDraw1->SetOptions(TDXDrawOptions{doAllowReboot, doSystemMemory, doCenter, doHardware,
                                     doSelectDriver});
  DXDraw1->SetAutoInitialize(true);
  DXDraw1->SetAutoSize(true);
  DXDraw1->SetColor(clBlack);
  DXDraw1->SetSurfaceWidth(320);
  DXDraw1->SetSurfaceHeight(192);
  DXDraw1->OnInitialize = MakeEvent(this, &TForm1::DXDraw1Initialize);
  DXDraw1->OnInitializeSurface = MakeEvent(this, &TForm1::DXDraw1InitializeSurface);
  DXDraw1->OnFinalizeSurface = MakeEvent(this, &TForm1::DXDraw1FinalizeSurface);
  DXDraw1->OnRestoreSurface = MakeEvent(this, &TForm1::DXDraw1RestoreSurface);
  DXDraw1->OnMouseDown = MakeEvent(this, &TForm1::DXDraw1MouseDown);
  DXDraw1->OnMouseMove = MakeEvent(this, &TForm1::DXDraw1MouseMove);
  DXDraw1->OnMouseUp = MakeEvent(this, &TForm1::DXDraw1MouseUp);
  DXDraw1->OnDblClick = MakeEvent(this, &TForm1::DXDraw1DblClick);

  DXTimer1 = new TDXTimer(this);
  DXTimer1->SetName("DXTimer1");
  DXTimer1->SetInterval(0);
  DXTimer1->SetActiveOnly(false);
  DXTimer1->SetEnabled(true);
  DXTimer1->OnTimer = MakeEvent(this, &TForm1::DXTimer1Timer);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(10);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = MakeEvent(this, &TForm1::Timer1Timer);

  BuildMenus();
  BuildFileCommands();
  BuildPrintCommands();
  BindWindowCommands();

  OnCreate = MakeEvent(this, &TForm1::FormCreate);
  OnShow = MakeEvent(this, &TForm1::FormShow);
  OnCloseQuery = MakeEvent(this, &TForm1::FormCloseQuery);
  OnClose = MakeEvent(this, &TForm1::FormClose);
  OnKeyDown = MakeEvent(this, &TForm1::FormKeyDown);
  OnMouseWheel = MakeEvent(this, &TForm1::FormMouseWheel);

  // The engine exists before the display control can raise its first surface event,
  // which comes when the form is first shown.
  surface_ = std::make_unique<TDXDrawRenderSurface>(DXDraw1);
  engine_ = std::make_unique<TRenderEngine>(*surface_, *this);
  loader.Finish();
}

TForm1::~TForm1() {
  // The display control outlives this body (the form's components are freed by the base
  // class): its events must not reach a half-destroyed window or a freed engine.
  DXDraw1->OnInitialize = nullptr;
  DXDraw1->OnInitializeSurface = nullptr;
  DXDraw1->OnFinalizeSurface = nullptr;
  DXDraw1->OnRestoreSurface = nullptr;
  WindowProc = formWindowProc_;
  DXTimer1->OnTimer = nullptr;
  Timer1->OnTimer = nullptr;
  engine_.reset();
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* bar = MainMenu1->Items();

  File1 = AddItem(this, bar, "File1", "File");
  Open1 = AddItem(this, File1, "Open1", "Open");
  Save1 = AddItem(this, File1, "Save1", "Save");
  Openpalettemap1 = AddItem(this, File1, "Openpalettemap1", "Open Palette Map");
  SaveImageAs2 = AddItem(this, File1, "SaveImageAs2", "Save Image ");
  Print1 = AddItem(this, File1, "Print1", "Print && Disk rendering");
  PrinterSetup1 = AddItem(this, File1, "PrinterSetup1", "Printer Setup");

  Settings1 = AddItem(this, bar, "Settings1", "Settings");
  Parameters1 = AddItem(this, Settings1, "Parameters1", "Parameters");
  AVIRecord1 = AddItem(this, Settings1, "AVIRecord1", "AVI Record");
  AVIRecord1->OnClick = MakeEvent(this, &TForm1::AVIRecord1Click);
  Fullscreen1 = AddItem(this, Settings1, "Fullscreen1", "Fullscreen Config");
  Fullscreen2 = AddItem(this, Settings1, "Fullscreen2", "Fullscreen (Alt+Enter)");
  BufferinSysMem1 = AddItem(this, Settings1, "BufferinSysMem1", "Buffer in SysMem");
  BufferinSysMem1->SetChecked(true);
  Force43window1 = AddItem(this, Settings1, "Force43window1", "Force 4:3 window");
  JuliaSetPreviewJ1 = AddItem(this, Settings1, "JuliaSetPreviewJ1", "Julia Set Preview ( J )");
  InvertRectinSelection1 =
      AddItem(this, Settings1, "InvertRectinSelection1", "InvertRect in Selection");
  InvertRectinSelection1->OnClick = MakeEvent(this, &TForm1::InvertRectinSelection1Click);

  Animation1 = AddItem(this, bar, "Animation1", "Animation");
  PaletteAnimation2 = AddItem(this, Animation1, "PaletteAnimation2", "Palette Animation ( A )");
  ChangeDirection2 = AddItem(this, Animation1, "ChangeDirection2", "Change Direction ( C )");
  IncreaseAnimSpeed2 =
      AddItem(this, Animation1, "IncreaseAnimSpeed2", "Increase Anim Speed ( * )");
  DecreaseAnimSpeed2 =
      AddItem(this, Animation1, "DecreaseAnimSpeed2", "Decrease Anim Speed ( / )");
  NegativeImage2 = AddItem(this, Animation1, "NegativeImage2", "Negative Image ( N )");
  EnableVSync1 = AddItem(this, Animation1, "EnableVSync1", "Enable Vertical Sync ( V )");
  EnableVSync1->SetChecked(true);
  ShowFPS1 = AddItem(this, Animation1, "ShowFPS1", "Show FPS ( F )");

  Tintary1 = AddItem(this, bar, "Tintary1", "Tintary");
  Start1 = AddItem(this, Tintary1, "Start1", "Start");
  Send1 = AddItem(this, Tintary1, "Send1", "Send Palette");
  Get1 = AddItem(this, Tintary1, "Get1", "Get Palette");
  Stop1 = AddItem(this, Tintary1, "Stop1", "Close");
  Send1->SetEnabled(false);
  Get1->SetEnabled(false);
  Stop1->SetEnabled(false);
  BindTintaryItems();

  Info1 = AddItem(this, bar, "Info1", "Info");

  SetMenu(MainMenu1);

  // The popup opens only through the right-button handler, in full screen.
  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  TMenuItem* popup = PopupMenu1->Items();
  Open2 = AddItem(this, popup, "Open2", "Open");
  Save2 = AddItem(this, popup, "Save2", "Save");
  OpenPaletteMap2 = AddItem(this, popup, "OpenPaletteMap2", "Open Palette Map");
  SaveImageAs1 = AddItem(this, popup, "SaveImageAs1", "Save Image ");
  Print2 = AddItem(this, popup, "Print2", "Print && Disk rendering");
  PrinterSetup2 = AddItem(this, popup, "PrinterSetup2", "Printer Setup");
  parameters2 = AddItem(this, popup, "parameters2", "Parameters");
  FullNormalScreen1 =
      AddItem(this, popup, "FullNormalScreen1", "Full/Normal Screen (Alt+Enter)");
  BuffersinSysMem1 = AddItem(this, popup, "BuffersinSysMem1", "Buffer in SysMem");
  BuffersinSysMem1->SetChecked(true);
  JuliaSetPreviewJ2 = AddItem(this, popup, "JuliaSetPreviewJ2", "Julia Set Preview ( J )");
  PaletteAnimation1 = AddItem(this, popup, "PaletteAnimation1", "Palette Animation ( A )");
  ChangeDirection1 = AddItem(this, popup, "ChangeDirection1", "Change Direction ( C )");
  IncreaseAnimSpeed1 = AddItem(this, popup, "IncreaseAnimSpeed1", "Increase Anim Speed ( * )");
  DecreaseAnimSpeed1 = AddItem(this, popup, "DecreaseAnimSpeed1", "Decrease Anim Speed ( / )");
  NegativeImage1 = AddItem(this, popup, "NegativeImage1", "Negative Image ( N )");
  EnableVSync2 = AddItem(this, popup, "EnableVSync2", "Enable Vertical Sync ( V )");
  EnableVSync2->SetChecked(true);
  ShowFPS2 = AddItem(this, popup, "ShowFPS2", "Show FPS ( F )");

  BindAnimationItems();
  JuliaSetPreviewJ1->OnClick = MakeEvent(this, &TForm1::JuliaSetPreview1Click);
  JuliaSetPreviewJ2->OnClick = MakeEvent(this, &TForm1::JuliaSetPreview1Click);
  Info1->OnClick = MakeEvent(this, &TForm1::Info1Click);
}
