// TMyTrackBar: the two style changes and the detailed scroll event.
#include "explorer/parameters/MyTrackBar.h"

#include <commctrl.h>

void TMyTrackBar::CreateParams(TCreateParams& params) {
  TTrackBar::CreateParams(params);
  if (tooltips_) params.Style |= TBS_TOOLTIPS;
  if (!selection_) params.Style &= ~DWORD(TBS_ENABLESELRANGE);
}

void TMyTrackBar::CNHScroll(TMessage& m) {
  TTrackBar::CNHScroll(m);
  if (OnChangeDetail) OnChangeDetail(this, static_cast<std::int16_t>(LOWORD(m.WParam)));
}
