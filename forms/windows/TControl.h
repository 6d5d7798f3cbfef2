// TControl: bounds, alignment, visibility, mouse events, the replaceable window
// procedure and dispatch by message number; what every control of the library has,
// with or without a window. Window controls are TWinControl (TWinControl.h); the whole
// set, with canvases and painted controls, comes with Controls.h.
#pragma once

#include <windows.h>

#include <string>

#include "forms/core/Component.h"
#include "forms/graphics/Graphics.h"
#include "forms/windows/Messages.h"
#include "forms/core/Sets.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,   // the window captures the mouse while a button is held
  csClickEvents,    // a button release over the control raises OnClick
  csFramed,
  csSetCaption,
  csOpaque,         // paints its whole area: no background erase
  csDoubleClicks,   // double clicks arrive as OnDblClick
  csReplicatable,
  csNoStdEvents,
};
using TControlStyle = TSet<TControlStyleItem>;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, WORD&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;
// Sender, shift state, wheel delta, mouse position (screen), handled.
using TMouseWheelEvent = TEvent<TObject*, TShiftState, int, POINT, bool&>;

TShiftState KeysToShiftState(WPARAM keys);  // the MK_ flags of a mouse message
TShiftState KeyboardShiftState();           // Shift, Ctrl and Alt as they are now

// A cursor of the screen's cursor table (Forms.h names them).
using TCursor = int;

struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;  // 0: no limit
};

class TWinControl;
class TControlCanvas;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into Parent's children (nil: out of any); a window control's
  // window is made at once when the new parent has one.
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect();
  int ClientWidth();
  int ClientHeight();
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  POINT ClientToScreen(POINT p);
  POINT ScreenToClient(POINT p);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFont* Font() { return &font_; }
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
  TSizeConstraints& Constraints() { return constraints_; }
  // The cursor over the control; crDefault leaves it to the window. A form shows the
  // cursor of the graphic child under the mouse.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  void Invalidate();
  virtual void Update();
  void Repaint();
  void BringToFront();

  // Sends a message straight to WindowProc (also for controls without a window).
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

  // The replaceable window procedure; it starts as WndProc. A hook keeps the value it
  // found and calls it for what it does not handle itself.
  TWndMethod WindowProc;
  // The library's own processing, then Dispatch.
  virtual void WndProc(TMessage& message);
  // By message number to the typed handlers below; the rest to DefaultHandler.
  virtual void Dispatch(TMessage& message);
  // What the control does with a message nobody handled (a window control calls the
  // window class's procedure).
  virtual void DefaultHandler(TMessage& message);

  // The palette the control's form realises for it (none by default).
  virtual HPALETTE GetPalette() { return nullptr; }
  // The palette notifications (WM_QUERYNEWPALETTE, and WM_PALETTECHANGED from another
  // window), which a form passes to all its controls: Foreground is true for the first.
  // Returns whether the control handled it.
  virtual bool PaletteChanged(bool foreground);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;

protected:
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Wheel turned over the control: true when handled (the default raises nothing).
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos);
  virtual void Resize();
  virtual void TextChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void VisibleChanged();

  // Typed handlers, reached through Dispatch. Each defaults to DefaultHandler.
  virtual void WMPaint(TMessage& m) { DefaultHandler(m); }
  virtual void WMEraseBkgnd(TMessage& m) { DefaultHandler(m); }
  virtual void WMCreate(TMessage& m) { DefaultHandler(m); }
  virtual void WMDestroy(TMessage& m) { DefaultHandler(m); }
  virtual void WMSize(TMessage& m) { DefaultHandler(m); }
  virtual void WMWindowPosChanged(TMessage& m) { DefaultHandler(m); }
  virtual void WMKeyDown(TMessage& m) { DefaultHandler(m); }
  virtual void WMKeyUp(TMessage& m) { DefaultHandler(m); }
  virtual void WMChar(TMessage& m) { DefaultHandler(m); }
  virtual void WMCommand(TMessage& m) { DefaultHandler(m); }
  virtual void WMSysCommand(TMessage& m) { DefaultHandler(m); }
  virtual void WMClose(TMessage& m) { DefaultHandler(m); }
  virtual void WMTimer(TMessage& m) { DefaultHandler(m); }
  virtual void WMActivate(TMessage& m) { DefaultHandler(m); }
  virtual void WMActivateApp(TMessage& m);
  virtual void WMGetMinMaxInfo(TMessage& m);
  virtual void WMInitMenu(TMessage& m) { DefaultHandler(m); }
  virtual void WMInitMenuPopup(TMessage& m) { DefaultHandler(m); }
  virtual void WMDropFiles(TMessage& m) { DefaultHandler(m); }
  virtual void WMContextMenu(TMessage& m) { DefaultHandler(m); }
  virtual void WMSetFocus(TMessage& m) { DefaultHandler(m); }
  virtual void WMKillFocus(TMessage& m) { DefaultHandler(m); }
  virtual void WMSetCursor(TMessage& m) { DefaultHandler(m); }
  virtual void WMMouseWheel(TMessage& m);

  // Asks the parent to lay out its aligned children again.
  void RequestAlign();
  // Sets the bounds fields from the window (or the parent's layout) without moving it.
  void UpdateBoundsFields(int left, int top, int width, int height);
  void MouseMessage(TMessage& m);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

private:
  friend class TWinControl;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  TColor color_ = clBtnFace;
  TFont font_;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TSizeConstraints constraints_;
  TCursor cursor_ = 0;
  bool mouseCaptured_ = false;
};
