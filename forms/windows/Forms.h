// Forms: TCustomForm / TForm, the top-level window of a program (caption, client size,
// position, border, colour, key preview, the main menu, show and hide, modal showing,
// closing with its queries), and TScreen with the screen's size and cursors.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/windows/Controls.h"
#include "forms/windows/Docking.h"

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconItem { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIconItem>;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poMainFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT,
                       mrRetry = IDRETRY, mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;
// Sender, the proposed outer width and height (the handler may change them), and
// whether the window takes a new size at all.
using TCanResizeEvent = TEvent<TObject*, int&, int&, bool&>;

class TCustomForm : public TWinControl {
public:
  // A form starts hidden; descendants build their components in their constructor
  // inside a TComponentLoader bracket. OnCreate runs in AfterConstruction: make forms
  // with Application->CreateForm or New<T>(owner).
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form with every other form of the program disabled and runs the message
  // loop until ModalResult is set (Close sets mrCancel); returns it.
  TModalResult ShowModal();
  // OnCloseQuery, then OnClose with its action (hide; the main form ends the program).
  void Close();
  bool CloseQuery();
  // Frees the form once the message that is being handled has been.
  void Release();

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  bool Modal() const { return modal_; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // Re-attaches the menu bar after its items changed (menus call it).
  void MenuChanged();
  TCanvas* Canvas() { return canvas_; }
  bool Active() const;

  RECT ClientRect() override;
  void SetFocus() override;
  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TMouseWheelEvent OnMouseWheel;
  // Every size change of the top-level window, by the user or the program, passes
  // through it before it happens (not while the window is minimised).
  TCanResizeEvent OnCanResize;

  // Docking (Docking.h). DragKind dkDock lets the user dock the form by moving it over
  // a dock site; DragMode dmAutomatic lets a docked form be dragged out again.
  TDragKind DragKind() const { return dragKind_; }
  void SetDragKind(TDragKind value) { dragKind_ = value; }
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode value) { dragMode_ = value; }
  // Docks the form into a dock site, filling it, or (nil) makes it float again at the
  // place and size it had before it docked. False when the site is none or refuses.
  bool ManualDock(TWinControl* newDockSite);
  TWinControl* HostDockSite() const { return Parent(); }
  bool Floating() const { return !Parent(); }
  // After the user docked or floated the form with the mouse.
  TEndDockEvent OnEndDock;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Paint();
  void PaintWindow(HDC dc) override;
  void VisibleChanged() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) override;

  void Dispatch(TMessage& message) override;
  void WMClose(TMessage& m) override;
  void WMActivate(TMessage& m) override;
  void WMCommand(TMessage& m) override;
  void WMSysCommand(TMessage& m) override;
  void WMInitMenuPopup(TMessage& m) override;
  void WMSetCursor(TMessage& m) override;

public:
  bool PaletteChanged(bool foreground) override;

private:
  void PlaceOnFirstShow();
  bool DockMessage(TMessage& m);
  void WindowPosChanging(TMessage& m);
  bool DockInto(TDockSite* site, POINT drop);
  bool Undock(POINT floatAt);
  void EndDockDrag(POINT screen, POINT grab);
  void FinishDockDrag();

  TControlCanvas* canvas_;
  TMainMenu* menu_ = nullptr;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDefaultPosOnly;
  TWindowState windowState_ = wsNormal;
  TFormStyle formStyle_ = fsNormal;
  TModalResult modalResult_ = mrNone;
  bool keyPreview_ = false;
  bool modal_ = false;
  bool placed_ = false;
  bool showing_ = false;
  TDragKind dragKind_ = dkDrag;
  TDragMode dragMode_ = dmManual;
  RECT floatBounds_{0, 0, 0, 0};
  TAlign floatAlign_ = alNone;
  bool moved_ = false;
  int dragState_ = 0;  // 1: pressed on the background, 2: dragging
  POINT dragFrom_{0, 0};
  POINT dockDrop_{0, 0};
  POINT dockGrab_{0, 0};
};

class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
};

// Cursor identifiers of the screen's cursor table.
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                  crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
                  crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17,
                  crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22;

class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* owner) : TComponent(owner) {}
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const;
  // The cursor for an identifier; identifiers the program has not set give the
  // system's own cursor for them (the arrow for unknown ones).
  HCURSOR Cursors(TCursor id) const;
  void SetCursors(TCursor id, HCURSOR cursor);
  // The cursor shown over every window of the program; crDefault lets controls choose.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(index); }
  TCustomForm* ActiveForm() const;

private:
  friend class TCustomForm;
  std::vector<std::pair<TCursor, HCURSOR>> cursors_;
  std::vector<TCustomForm*> forms_;
  TCursor cursor_ = crDefault;
};

extern TScreen* Screen;
