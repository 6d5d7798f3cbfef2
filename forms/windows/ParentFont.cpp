// TParentFontHolder: copies fonts down the chain of parents.
#include "forms/windows/ParentFont.h"

#include "forms/core/FlagScope.h"

bool SameFont(TFont* a, TFont* b) {
  return a->Name() == b->Name() && a->Height() == b->Height() && a->Style() == b->Style() &&
         a->Color() == b->Color();
}

TParentFontHolder::TParentFontHolder(TControl* self) : self_(self) {
  self_->Font()->OnChange = MakeEvent(this, &TParentFontHolder::OnFontChange);
}

void TParentFontHolder::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (value) RefreshParentFont();
}

void TParentFontHolder::RefreshParentFont() {
  TWinControl* parent = self_->Parent();
  if (!parentFont_ || !parent) return;
  if (auto* chain = dynamic_cast<TParentFontHolder*>(parent)) chain->RefreshParentFont();
  if (SameFont(self_->Font(), parent->Font())) return;
  TFlagScope applying(applying_);
  self_->Font()->Assign(parent->Font());
}

void TParentFontHolder::OnFontChange(TObject*) {
  // A font given to the control itself ends the link to the parent's.
  if (!applying_) parentFont_ = false;
  FontChanged();
}
