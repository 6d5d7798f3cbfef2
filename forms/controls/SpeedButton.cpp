// TSpeedButton: the system's push-button frame with the caption, pushed while held or down.
#include "forms/controls/SpeedButton.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), TParentFontHolder(this) {
  SetBounds(Left(), Top(), 23, 22);
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csOpaque});
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (!value && !allowAllUp_) return;
  down_ = value;
  if (value && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  if (value == 0 && down_) {
    down_ = false;
    Invalidate();
  }
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) {
    if (!down_) SetDown(true);
    else if (allowAllUp_) SetDown(false);
  }
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    pressed_ = inside_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (pressed_) {
    bool over = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (over != inside_) {
      inside_ = over;
      Invalidate();
    }
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_) {
    pressed_ = inside_ = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Paint() {
  RefreshParentFont();
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  bool pushed = down_ || (pressed_ && inside_);
  UINT state = DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (Enabled() ? 0 : DFCS_INACTIVE);
  DrawFrameControl(dc, &r, DFC_BUTTON, state);
  const std::string& text = Caption();
  if (text.empty()) return;
  if (pushed) OffsetRect(&r, 1, 1);
  int saved = SaveDC(dc);
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Enabled() ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RestoreDC(dc, saved);
}
