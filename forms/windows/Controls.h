// Controls: TControl (TControl.h) and TWinControl (TWinControl.h), with
// TCustomControl (a window control with a canvas and Paint), TGraphicControl (a control
// without a window, painted and fed by its parent) and the control canvas. Forms are in
// Forms.h.
#pragma once

#include <windows.h>

#include "forms/windows/TControl.h"
#include "forms/windows/TWinControl.h"

// A canvas on a control: a window control's DC, or for a graphic control the parent's
// DC clipped to it. The DC is taken on first use and given back by FreeHandle (the
// application does so for every control canvas when it goes idle).
class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;
  TControl* Control() const { return control_; }
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  TControl* control_;
  HDC ownDC_ = nullptr;
  HWND dcWindow_ = nullptr;
};
// Gives back the DCs of all control canvases taken outside painting.
void FreeDeviceContexts();

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  TControlCanvas* canvas_;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_; }

protected:
  virtual void Paint() {}
  void WMPaint(TMessage& m) override;

private:
  TControlCanvas* canvas_;
};

// The form a control sits on (itself when it is one), nil when none.
class TCustomForm;
TCustomForm* GetParentForm(TControl* control);
// The control bound to a window of this library, nil for other windows.
TWinControl* FindControl(HWND window);
