// TPanel: a window that groups controls, with a 3-D bevel outside (raised at first)
// and optionally inside a border, and its caption centred. Aligned children fill what
// the bevels leave. DoubleBuffered paints the panel and the graphic controls on it
// into a bitmap first, so a grid that repaints often does not flicker. With DockSite on,
// forms can dock into the panel (Docking.h).
#pragma once

#include "forms/windows/Controls.h"
#include "forms/windows/Docking.h"
#include "forms/windows/ParentFont.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl, public TParentFontHolder, public TDockSite {
public:
  explicit TPanel(TComponent* owner);
  void SetParent(TWinControl* parent) override;

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  // With AutoSize the panel takes the height and width that its visible children
  // need (children aligned to the client area count with their current size); with no
  // visible child it keeps its size.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  // The client area less the bevels and the border: where aligned children go.
  RECT InnerRect();

protected:
  void CreateWnd() override;
  void Paint() override;
  void AlignControls(RECT& rect) override;
  void WMPaint(TMessage& m) override;
  void TextChanged() override;
  void FontChanged() override;
  void Resize() override;

private:
  void Changed();

  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  bool doubleBuffered_ = false;
  bool autoSize_ = false;
  bool sizing_ = false;
  void AdjustSize();
};

// Draws a bevel of the given width inside Rect and moves Rect inside it (bvNone and
// bvSpace draw nothing; bvSpace still takes its width).
void DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width);
