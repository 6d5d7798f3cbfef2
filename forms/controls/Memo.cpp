// TMemo: the lines and the window's text, each updated from the other.
#include "forms/controls/Memo.h"

#include "forms/core/FlagScope.h"

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
  SetBounds(Left(), Top(), 185, 89);
  lines_.OnChange = MakeEvent(this, &TMemo::LinesChanged);
}

TMemo::~TMemo() { lines_.OnChange = nullptr; }

void TMemo::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  Recreate();
}

void TMemo::Recreate() {
  if (!HandleAllocated()) return;
  // The styles take effect only when the window is made: make it again.
  DestroyHandle();
  HandleNeeded();
}

void TMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  // Long lines wrap.
  params.Style &= ~ES_AUTOHSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
}

void TMemo::LinesChanged(TObject*) {
  if (fromLines_) return;
  std::string text = lines_.Text();
  if (text.size() >= 2) text.resize(text.size() - 2);  // no line break after the last line
  TFlagScope fromLines(fromLines_);
  SetText(text);
}

void TMemo::Change() {
  if (!fromLines_) {
    fromLines_ = true;
    lines_.SetText(Text());
    fromLines_ = false;
  }
  TCustomEdit::Change();
}
