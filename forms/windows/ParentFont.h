// TParentFontHolder: a control's font follows its parent's (ParentFont, true at first)
// until the control is given a font of its own. The parent's font is taken when the
// control's window is made, when it is put on another parent and before it paints,
// the parent's own parent first, so a form's font reaches every control inside it.
#pragma once

#include "forms/windows/Controls.h"

class TParentFontHolder {
public:
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  // Copies the parent's font into the control's, when ParentFont is on.
  void RefreshParentFont();

protected:
  // Takes over the control's Font()->OnChange.
  explicit TParentFontHolder(TControl* self);
  virtual ~TParentFontHolder() = default;
  // The control's font is now different (a window control passes it to its window).
  virtual void FontChanged() {}

private:
  void OnFontChange(TObject* sender);

  TControl* self_;
  bool parentFont_ = true;
  bool applying_ = false;
};

// Same name, height, style and colour.
bool SameFont(TFont* a, TFont* b);
