// TSystemControl: the base of the controls that are windows of a system class (button,
// edit, track bar): the class's own procedure does their drawing and input, the
// library gets their notifications back from the parent (CN_COMMAND, CN_NOTIFY,
// CN_HSCROLL, CN_VSCROLL), gives them the parent's font, and raises OnEnter/OnExit
// when they gain and lose the focus.
#pragma once

#include "forms/windows/Controls.h"
#include "forms/windows/ParentFont.h"

class TSystemControl : public TWinControl, public TParentFontHolder {
public:
  explicit TSystemControl(TComponent* owner);
  void SetParent(TWinControl* parent) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

protected:
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;
  void FontChanged() override;
  // The notifications from the parent; the defaults do nothing.
  virtual void CNCommand(TMessage&) {}
  virtual void CNNotify(TMessage&) {}
  virtual void CNHScroll(TMessage&) {}
  virtual void CNVScroll(TMessage&) {}
  void WMSetFocus(TMessage& m) override;
  void WMKillFocus(TMessage& m) override;
  virtual void DoEnter();
  virtual void DoExit();
  // Raises events only outside the loading bracket.
  bool Loading() const { return ComponentState().Contains(csLoading); }

private:
  void ApplyFont();
  // The window's own copy: the control's font object remakes its handle on every
  // change, and the window must never hold one that is gone.
  TFont windowFont_;
};
