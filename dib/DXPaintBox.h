// TCustomDXPaintBox / TDXPaintBox: a graphic control that paints its TDIB at natural
// size, centred, stretched, fitted with its aspect ratio kept, or at a view size. The
// placement rules are PaintBoxGeometry's.
#pragma once

#include "dib/DIB.h"
#include "dib/PaintBoxGeometry.h"
#include "forms/windows/Controls.h"

class TCustomDXPaintBox : public TGraphicControl {
public:
  explicit TCustomDXPaintBox(TComponent* owner);
  ~TCustomDXPaintBox() override;

  bool AutoStretch() const { return options_.AutoStretch; }
  void SetAutoStretch(bool value);
  bool Center() const { return options_.Center; }
  void SetCenter(bool value);
  bool KeepAspect() const { return options_.KeepAspect; }
  void SetKeepAspect(bool value);
  bool Stretch() const { return options_.Stretch; }
  void SetStretch(bool value);
  int ViewWidth() const { return options_.ViewWidth; }
  void SetViewWidth(int value);  // negative values are stored as 0
  int ViewHeight() const { return options_.ViewHeight; }
  void SetViewHeight(int value);

  TDIB* DIB() const { return dib_; }
  // Shares the value's image (TDIB.Assign); the box's own TDIB changes nothing.
  void SetDIB(TDIB* value);

  // Where Paint puts the picture in the current client area.
  TPaintBoxPlacement Placement();

  HPALETTE GetPalette() override { return dib_->Palette(); }

protected:
  void Paint() override;

private:
  void SetFlag(bool& flag, bool value);
  void SetView(int& field, int value);

  TPaintBoxOptions options_;
  TDIB* dib_;
};

class TDXPaintBox : public TCustomDXPaintBox {
public:
  using TCustomDXPaintBox::TCustomDXPaintBox;
};
