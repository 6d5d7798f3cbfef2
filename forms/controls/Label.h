// TLabel: a line of text drawn on its parent (no window of its own). With AutoSize
// (on at first) it takes the size of its text, keeping its left edge, its centre or
// its right edge as Alignment says. An '&' underlines the next character; "&&" shows one.
#pragma once

#include <string>

#include "forms/windows/Controls.h"
#include "forms/windows/ParentFont.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl, public TParentFontHolder {
public:
  explicit TLabel(TComponent* owner);
  void SetParent(TWinControl* parent) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // Transparent: the parent shows through; else the background is the label's colour,
  // which is the parent's while ParentColor is on (until a colour is set).
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  // Sizes the label to its text now (AutoSize does so after every change).
  void AdjustBounds();

protected:
  void Paint() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void Loaded() override;

private:
  TColor BackgroundColor();
  UINT DrawFlags() const;

  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool transparent_ = false;
  bool parentColor_ = true;
  bool settingParentColor_ = false;
};
