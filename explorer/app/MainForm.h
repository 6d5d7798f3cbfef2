// TForm1, the explorer's main window: the display control with its render engine, the
// frame and progress timers, the docking panel and the menus. The form description is
// built in MainFormLayout.cpp; start-up in MainStartup.cpp, settings in MainSettings.cpp,
// shutdown in MainShutdown.cpp, the display's events in MainDisplay.cpp, navigation in
// MainNavigation.cpp, the precision guard in MainPrecisionGuard.cpp and the "Tintary"
// menu in MainTintary.cpp.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "explorer/app/ExplorerHost.h"
#include "explorer/navigation/Navigation.h"
#include "explorer/render/RenderHost.h"
#include "display/DXForm.h"
#include "forms/windows/Controls.h"

class TDXDraw;
class TDragDockObject;
class TDXTimer;
class TOpenDialog;
class TSaveDialog;
class tpaletteopendialog;
class TDXDrawRenderSurface;
class TMainMenu;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TPrinterSetupDialog;
class TRenderEngine;
class TTimer;

class TForm1 : public TDXForm, public IRenderHost, public IExplorerHost {
public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;

  // Components of the form description.
  TDXDraw* DXDraw1;
  TDXTimer* DXTimer1;
  TTimer* Timer1;
  TPanel* Panel1;
  TMainMenu* MainMenu1;
  TPopupMenu* PopupMenu1;

  // Main menu.
  TMenuItem* File1;
  TMenuItem* Open1;
  TMenuItem* Save1;
  TMenuItem* Openpalettemap1;
  TMenuItem* SaveImageAs2;
  TMenuItem* Print1;
  TMenuItem* PrinterSetup1;
  TMenuItem* Settings1;
  TMenuItem* Parameters1;
  TMenuItem* AVIRecord1;
  TMenuItem* Fullscreen1;
  TMenuItem* Fullscreen2;
  TMenuItem* BufferinSysMem1;
  TMenuItem* Force43window1;
  TMenuItem* JuliaSetPreviewJ1;
  TMenuItem* InvertRectinSelection1;
  TMenuItem* Animation1;
  TMenuItem* PaletteAnimation2;
  TMenuItem* ChangeDirection2;
  TMenuItem* IncreaseAnimSpeed2;
  TMenuItem* DecreaseAnimSpeed2;
  TMenuItem* NegativeImage2;
  TMenuItem* EnableVSync1;
  TMenuItem* ShowFPS1;
  TMenuItem* Tintary1;
  TMenuItem* Start1;
  TMenuItem* Send1;
  TMenuItem* Get1;
  TMenuItem* Stop1;
  TMenuItem* Info1;

  // Popup menu: the twins of main-menu items, with the same captions.
  TMenuItem* Open2;
  TMenuItem* Save2;
  TMenuItem* OpenPaletteMap2;
  TMenuItem* SaveImageAs1;
  TMenuItem* Print2;
  TMenuItem* PrinterSetup2;
  TMenuItem* parameters2;
  TMenuItem* FullNormalScreen1;
  TMenuItem* BuffersinSysMem1;
  TMenuItem* JuliaSetPreviewJ2;
  TMenuItem* PaletteAnimation1;
  TMenuItem* ChangeDirection1;
  TMenuItem* IncreaseAnimSpeed1;
  TMenuItem* DecreaseAnimSpeed1;
  TMenuItem* NegativeImage1;
  TMenuItem* EnableVSync2;
  TMenuItem* ShowFPS2;

  // Main window events.
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
  void FormMouseWheel(TObject* sender, TShiftState shift, int wheelDelta, POINT mousePos,
                      bool& handled);

  // The display control's events.
  void DXDraw1Initialize(TObject* sender);
  void DXDraw1InitializeSurface(TObject* sender);
  void DXDraw1FinalizeSurface(TObject* sender);
  void DXDraw1RestoreSurface(TObject* sender);
  void DXDraw1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void DXDraw1MouseMove(TObject* sender, TShiftState shift, int x, int y);
  void DXDraw1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void DXDraw1DblClick(TObject* sender);

  // The timers.
  void Timer1Timer(TObject* sender);
  void DXTimer1Timer(TObject* sender, int lagCount);

  void InvertRectinSelection1Click(TObject* sender);
  // Shows the AVI record window, not modal (MainAviZoom.cpp).
  void AVIRecord1Click(TObject* sender);

  // The Julia preview (MainJuliaPreview.cpp): the image of the Julia set of the display
  // point (x, y), drawn into the preview window and, in full screen, onto the display;
  // both "Julia Set Preview ( J )" items run the J key.
  void RenderJuliaPreview(int x, int y);
  void JuliaSetPreview1Click(TObject* sender);
  // The info box (MainInfoBox.cpp).
  void Info1Click(TObject* sender);

  // Writes the parameter-file association and probes for the palette editor.
  void RegisterFileType();
  // The default colour table from the slopes, shown.
  void BuildDefaultPalette();
  // Moves the kernel to a wider format as the view shrinks, with its warnings;
  // reconfine puts the full-screen cursor confinement back after each warning.
  void PrecisionGuard(bool reconfine);

  // The render engine behind the display's events (nil only while the form is built).
  TRenderEngine* Engine() const { return engine_.get(); }

  // Where the settings file lives: "quorvel.ini" beside the program.
  static std::string SettingsFileName();

  // The render engine's host.
  void SetProgressTimer(bool enabled) override;
  void SetFrameTimer(bool enabled) override;
  void ShowParameters() override;
  void SetCaption(const std::string& caption) override;
  void RenderFinished() override;
  bool SelectionActive() override;
  void DrawSelectionRect() override;

  // The secondary windows' host (MainDisplay.cpp, MainWindowSizing.cpp).
  void RestartRender() override;
  void Recolour() override;
  TDXDraw* Display() override { return DXDraw1; }
  TClientSize SetClientSizeQuietly(int width, int height) override;

  // Parameter files, palette maps and image saving (MainParamFile.cpp,
  // MainPaletteMap.cpp, MainImageSave.cpp, MainFileCommands.cpp).
  TOpenDialog* OpenDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  TSaveDialog* SaveDialog2 = nullptr;
  tpaletteopendialog* PaletteDialog = nullptr;
  void Open1Click(TObject* sender);
  void Save1Click(TObject* sender);
  void Openpalettemap1Click(TObject* sender);
  void SaveImageAs1Click(TObject* sender);
  // Reads a parameter file into the settings and the colour table; a foreign file only
  // shows its message box, a file that cannot be read raises the input/output error.
  void LoadParamFile(const std::string& fileName);
  // Opens the first file dropped on the window.
  void wmdropfiles(TMessage& message);

  // Printing (MainPrint.cpp): the print window, the normal print and the printer setup.
  TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;
  void Print1Click(TObject* sender);
  void PrinterSetup1Click(TObject* sender);

private:
  void BuildPrintCommands();
  // The file dialogs and the bindings of the file commands, made with the form.
  void BuildFileCommands();
  // In front of the window's own procedure: dropped files.
  void FormFilesWindowProc(TMessage& message);
  // The settings after a parameter file was read: kernel, "/100" state, render, window.
  void ShowLoadedParamFile(bool reconfine);
  TWndMethod formWindowProc_;

public:

  // The palette-animation events (manual reset, signalled at rest; automatic reset).
  HANDLE AnimIdleEvent = nullptr;
  HANDLE AnimStartEvent = nullptr;
  HANDLE AnimHalfDoneEvent = nullptr;

  // Colour table and palette animation: the commands of the "Animation" menu and their
  // popup twins (MainAnimation.cpp), the negative image (MainNegativeImage.cpp).
  void PaletteAnimation1Click(TObject* sender);
  void ChangeDirection1Click(TObject* sender);
  void IncreaseAnimSpeed1Click(TObject* sender);
  void DecreaseAnimSpeed1Click(TObject* sender);
  void NegativeImage1Click(TObject* sender);
  void EnableVSync1Click(TObject* sender);
  void ShowFPS1Click(TObject* sender);

  // The parameters window (MainParameters.cpp): the menu commands and the docking panel.
  void Parameters1Click(TObject* sender);
  void parameters2Click(TObject* sender);
  void Panel1DockDrop(TObject* sender, TDragDockObject* source, int x, int y);
  void Panel1UnDock(TObject* sender, TControl* client, TWinControl* newTarget, bool& allow);

  // Window sizing and its messages (MainWindowSizing.cpp).
  void FormCanResize(TObject* sender, int& newWidth, int& newHeight, bool& resize);
  void FormResize(TObject* sender);
  void FormPaint(TObject* sender);
  void BufferinSysMem1Click(TObject* sender);
  void Force43window1Click(TObject* sender);
  void wmsize(TMessage& message);
  void wmsetcursor(TMessage& message);
  void syscom(TMessage& message);
  void wmdisplaychange(TMessage& message);

  // Window and full screen (MainFullScreen.cpp).
  void Fullscreen1Click(TObject* sender);
  void Fullscreen2Click(TObject* sender);

  // The "Tintary" menu: the palette editor's automation client (MainTintary.cpp).
  void Start1Click(TObject* sender);
  void Send1Click(TObject* sender);
  void Get1Click(TObject* sender);
  void Stop1Click(TObject* sender);

protected:
  void WMSize(TMessage& m) override { wmsize(m); }
  void WMSetCursor(TMessage& m) override { wmsetcursor(m); }
  void WMSysCommand(TMessage& m) override { syscom(m); }
  void Dispatch(TMessage& m) override;

private:
  // The bindings of the parameters, sizing and full-screen commands, made with the form.
  void BindWindowCommands();
  // The way back from a switch to full screen that failed: border, menu and options.
  void LeaveFullScreenState();
  void ReplaceScreenCursors();
  void BuildMenus();
  void ReadSettings();
  void WriteSettings();
  void SizeWindow();
  // The geometry navigation reads: the last render's pixel steps and size and the
  // display's current surface size.
  TNavGeometry Geometry();
  // The current view as a value, and storing one.
  static TPlaneView CurrentView();
  static void SetView(const TPlaneView& view);
  // In full screen with the 4:3 surface the mouse arrives in display coordinates.
  bool CentredFullScreen();
  TSelPoint CentringOffset();
  void ConfineToClient();
  void ReleaseConfinement();
  void ReconfineInFullScreen();
  // Switches the frame timer off unless a single-thread render needs it.
  void StopFrameTimerUnlessRendering();
  // Stops the palette animation and waits for it at most 1000 ms.
  void StopAnimationAndWait();
  void ToggleJulia();
  // A mouse move redraws the preview while it is shown, with no button or shift key held,
  // no frame timer running and a Mandelbrot view.
  bool JuliaPreviewFollows(TShiftState shift);
  void ToggleJuliaPreview();
  // Repaints the display where a full-screen preview image lies.
  void RepaintPreviewArea();
  // After a render: the cursor one pixel right and back, so the preview sees mouse moves.
  void NudgeCursorForPreview();
  void ShowRenderTimeInFullScreen();
  void KeypadZoom(bool in);
  // Waits for the palette-animation threads to end; false if one did not in time.
  bool AnimationThreadsEnded();

  // Colour table and palette animation.
  void BindAnimationItems();
  void BindTintaryItems();
  void InvertPalette();
  void StartPaletteAnimation(int bits);
  void StopPaletteAnimation();
  // Waits at most timeoutMs for the animation threads to end and closes the handles of
  // those that have; true when none runs any more.
  bool EndAnimationThreads(DWORD timeoutMs);

  // The zoom flight's step after each finished render of an auto-mode recording: the
  // frame, then the view zoomed by the record window's steps and rendered again.
  void AviZoomStep();

  std::unique_ptr<TDXDrawRenderSurface> surface_;
  std::unique_ptr<TRenderEngine> engine_;
  bool paletteLockMade_ = false;
};

extern TForm1* Form1;

// The factors of the zoom flight's last zoom-out step.
extern long double AviZoomFactorX;
extern long double AviZoomFactorY;
