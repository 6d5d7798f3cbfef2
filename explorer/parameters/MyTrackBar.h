// TMyTrackBar: the parameters window's slider, a track bar that can show the system's
// position tooltip, can do without the selection range, and reports the scroll code of
// every move by the user (OnChangeDetail). The window is in ParametersWindow.h.
#pragma once

#include <cstdint>

#include "forms/controls/TrackBar.h"

// Sender and the scroll code (TB_LINEUP, TB_THUMBTRACK, ...).
using Tchangedetail = TEvent<TObject*, std::int16_t>;

class TMyTrackBar : public TTrackBar {
public:
  using TTrackBar::TTrackBar;

  bool Tooltips() const { return tooltips_; }
  void SetTooltips(bool value) { tooltips_ = value; }
  bool Selection() const { return selection_; }
  void SetSelection(bool value) { selection_ = value; }

  Tchangedetail OnChangeDetail;

protected:
  void CreateParams(TCreateParams& params) override;
  void CNHScroll(TMessage& m) override;

private:
  bool tooltips_ = false;
  bool selection_ = true;
};
