// TWinControl: a control with a window: creation parameters, children, keyboard,
// painting of its graphic children. Its window may sit on a window the library did not
// make (ParentWindow). The window procedure that binds handles to objects is in
// WindowProc.cpp.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/windows/TControl.h"

class THintTip;

// What a window control asks CreateWindowEx for; CreateParams fills it.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSEXA WindowClass{};  // lpfnWndProc: the procedure DefaultHandler calls
  std::string WinClassName;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  // The window, made (with the parent's, and the children's) on first request.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  bool Showing() const;  // the window exists and is visible
  // A window the library did not make (such as a system dialog) that holds this
  // control's window while the control has no Parent.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND window);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;
  TControl* ControlAtPos(POINT p, bool allowDisabled);  // a graphic child under p

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void Update() override;
  void Realign();

  bool Focused() const;
  bool CanFocus() const;
  virtual void SetFocus();
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  // The text of the tip shown while the mouse rests on the control, enabled or not
  // (HintTip.h); empty: no tip.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);

  void DefaultHandler(TMessage& message) override;
  void Dispatch(TMessage& message) override;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

protected:
  virtual void CreateParams(TCreateParams& params);
  // Fills the window class from a system class (BUTTON, EDIT, STATIC), whose procedure
  // then does the default processing of the control.
  void CreateSubClass(TCreateParams& params, const char* systemClass);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void DestroyHandle();
  virtual void AlignControls(RECT& rect);
  // Paints the window's own content on a DC (the default lets the window class do it).
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc);

  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);

  void WMPaint(TMessage& m) override;
  void WMEraseBkgnd(TMessage& m) override;
  void WMWindowPosChanged(TMessage& m) override;
  void WMKeyDown(TMessage& m) override;
  void WMKeyUp(TMessage& m) override;
  void WMChar(TMessage& m) override;
  void WMCommand(TMessage& m) override;
  void TextChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;

private:
  friend class TControl;
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend struct WindowBinding;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateChildHandles();
  LRESULT MainWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void UpdateHintTip();
  void RelayToHintTips(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;
  bool aligning_ = false;
  SIZE alignedClient_{-1, -1};  // the client size the children were last aligned to
  bool tabStop_ = false;
  TBrush brush_;
  std::string hint_;
  THintTip* hintTip_ = nullptr;
};
