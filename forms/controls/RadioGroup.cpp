// TRadioGroup: owns its buttons, remakes them when Items change and places them in
// equal cells below the caption.
#include "forms/controls/RadioGroup.h"

#include <algorithm>

#include "forms/controls/Panel.h"

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomControl(owner), TParentFontHolder(this) {
  SetBounds(Left(), Top(), 185, 105);
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  items_.OnChange = MakeEvent(this, &TRadioGroup::ItemsChanged);
}

TRadioGroup::~TRadioGroup() {
  items_.OnChange = nullptr;
  // The buttons are children: the window control frees them.
  buttons_.clear();
}

void TRadioGroup::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  RefreshParentFont();
}

void TRadioGroup::CreateWnd() {
  RefreshParentFont();
  TCustomControl::CreateWnd();
  ArrangeButtons();
}

TRadioButton* TRadioGroup::Buttons(int index) const {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) throw EListError(SListIndexError, index);
  return buttons_[static_cast<size_t>(index)];
}

void TRadioGroup::SetColumns(int value) {
  value = std::max(1, std::min(value, 16));
  if (value == columns_) return;
  columns_ = value;
  ArrangeButtons();
  Invalidate();
}

void TRadioGroup::SetItemIndex(int value) {
  if (ComponentState().Contains(csLoading)) {
    itemIndex_ = value;  // the buttons take it in Loaded
    return;
  }
  if (value < -1 || value >= static_cast<int>(buttons_.size())) value = -1;
  if (value == itemIndex_) return;
  if (value == -1) {
    updating_ = true;
    for (TRadioButton* b : buttons_) b->SetChecked(false);
    updating_ = false;
    itemIndex_ = -1;
    return;
  }
  // The button's click comes back to ButtonClicked, which sets the index and raises OnClick.
  buttons_[static_cast<size_t>(value)]->SetChecked(true);
}

void TRadioGroup::Loaded() {
  TCustomControl::Loaded();
  int wanted = itemIndex_;
  itemIndex_ = -1;
  updating_ = true;
  if (wanted >= 0 && wanted < static_cast<int>(buttons_.size())) {
    buttons_[static_cast<size_t>(wanted)]->SetChecked(true);
    itemIndex_ = wanted;
  }
  updating_ = false;
}

void TRadioGroup::ItemsChanged(TObject*) { UpdateButtons(); }

void TRadioGroup::UpdateButtons() {
  size_t count = static_cast<size_t>(items_.Count());
  while (buttons_.size() > count) {
    TRadioButton* last = buttons_.back();
    buttons_.pop_back();
    last->Free();
  }
  while (buttons_.size() < count) {
    auto* b = new TRadioButton(nullptr);
    b->OnClick = MakeEvent(this, &TRadioGroup::ButtonClicked);
    b->SetParent(this);
    buttons_.push_back(b);
  }
  updating_ = true;
  for (size_t i = 0; i < count; ++i) {
    buttons_[i]->SetCaption(items_.Strings(static_cast<int>(i)));
    buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
  }
  updating_ = false;
  if (itemIndex_ >= static_cast<int>(count) && !ComponentState().Contains(csLoading)) itemIndex_ = -1;
  ArrangeButtons();
}

void TRadioGroup::ButtonClicked(TObject* sender) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), sender);
  if (it == buttons_.end()) return;
  int index = static_cast<int>(it - buttons_.begin());
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (!ComponentState().Contains(csLoading)) Click();
}

int TRadioGroup::CaptionHeight() {
  RefreshParentFont();
  TFont font;
  font.Assign(Font());
  HDC dc = GetDC(nullptr);
  if (!dc) return 13;
  HGDIOBJ old = SelectObject(dc, font.Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  int count = static_cast<int>(buttons_.size());
  int perColumn = (count + columns_ - 1) / columns_;
  int top = CaptionHeight() + 2;
  RECT inner{8, top, Width() - 8, Height() - 4};
  int cellWidth = std::max(0, static_cast<int>(inner.right - inner.left) / columns_);
  int cellHeight = std::max(0, static_cast<int>(inner.bottom - inner.top) / perColumn);
  for (int i = 0; i < count; ++i) {
    int column = i / perColumn, row = i % perColumn;
    buttons_[static_cast<size_t>(i)]->SetBounds(inner.left + column * cellWidth, inner.top + row * cellHeight,
                                                std::max(0, cellWidth - 2), cellHeight);
  }
}

void TRadioGroup::Resize() {
  TCustomControl::Resize();
  ArrangeButtons();
}

void TRadioGroup::FontChanged() {
  ArrangeButtons();
  Invalidate();
}

void TRadioGroup::Paint() {
  RefreshParentFont();
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  HBRUSH fill = CreateSolidBrush(ColorToRGB(Color()));
  if (fill) {
    FillRect(dc, &r, fill);
    DeleteObject(fill);
  }
  int saved = SaveDC(dc);
  SelectObject(dc, Font()->Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  RECT frame{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string& text = Caption();
  if (!text.empty()) {
    RECT box{8, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_CALCRECT);
    box.right += 4;  // a blank's gap on each side of the text
    OffsetRect(&box, -2, 0);
    SetBkColor(dc, ColorToRGB(Color()));
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_CENTER);
  }
  RestoreDC(dc, saved);
}
