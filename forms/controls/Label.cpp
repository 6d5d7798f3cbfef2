// TLabel: DrawText on the parent's DC, measured with a copy of the font (the font
// object remakes its handle after a change, so none is kept across one).
#include "forms/controls/Label.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner), TParentFontHolder(this) {
  SetBounds(Left(), Top(), 65, 17);
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
}

void TLabel::SetParent(TWinControl* parent) {
  TGraphicControl::SetParent(parent);
  RefreshParentFont();
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TLabel::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  Invalidate();
}

void TLabel::ColorChanged() {
  if (!settingParentColor_) parentColor_ = false;
  TGraphicControl::ColorChanged();
}

TColor TLabel::BackgroundColor() {
  if (parentColor_ && Parent()) return Parent()->Color();
  return Color();
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_SINGLELINE | DT_TOP;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  RefreshParentFont();
  TFont font;
  font.Assign(Font());
  HDC dc = GetDC(nullptr);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, font.Handle());
  RECT r{0, 0, 0, 0};
  // An empty caption still takes one line's height.
  std::string text = Caption().empty() ? std::string(" ") : Caption();
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
  // The last glyph may draw past its advance ("r" in Tahoma does): the label takes the
  // ink, so that its own bounds do not clip it.
  ABC abc{};
  const UINT last = static_cast<unsigned char>(text.back());
  if (GetCharABCWidthsA(dc, last, last, &abc) && abc.abcC < 0) r.right -= abc.abcC;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int width = Caption().empty() ? 0 : r.right - r.left;
  int height = r.bottom - r.top;
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - width;
  if (alignment_ == taCenter) left += (Width() - width) / 2;
  SetBounds(left, Top(), width, height);
}

void TLabel::Paint() {
  RefreshParentFont();
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  int saved = SaveDC(dc);
  if (!transparent_) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(BackgroundColor()));
    if (brush) {
      FillRect(dc, &r, brush);
      DeleteObject(brush);
    }
  }
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  const std::string& text = Caption();
  if (Enabled()) {
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags());
  } else {
    // Disabled text: the highlight colour one pixel down and right, the shadow on it.
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shifted, DrawFlags());
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags());
  }
  RestoreDC(dc, saved);
}
