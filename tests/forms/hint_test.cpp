// A window control's hint under wine: the tip covers the control's window and its place
// on the parent (where the mouse goes while the control is disabled), follows the
// control when it moves and its text when it changes, and leaves the control's own
// messages alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/forms/ControlsTestForm.h"
#include "tests/support/TipAt.h"

namespace {

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(Hint, TheTipCoversTheControlAndItsPlaceAndFollowsIt) {
  auto* form = New<TControlsForm>(nullptr);
  form->Show();
  PumpFor(20);
  TButton* b = form->ok;
  EXPECT_EQ(TipAt(form->Handle(), Centre(b->BoundsRect())), "") << "no hint, no tip";

  b->SetHint("Press me");
  EXPECT_EQ(b->Hint(), "Press me");
  EXPECT_EQ(TipAt(b->Handle(), POINT{3, 3}), "Press me");
  const RECT before = b->BoundsRect();
  EXPECT_EQ(TipAt(form->Handle(), Centre(before)), "Press me");

  b->SetHint("Or not");
  EXPECT_EQ(TipAt(b->Handle(), POINT{3, 3}), "Or not");
  EXPECT_EQ(TipAt(form->Handle(), Centre(before)), "Or not");

  b->SetBounds(before.left - 100, before.top - 100, 75, 25);
  EXPECT_EQ(TipAt(form->Handle(), Centre(before)), "");
  EXPECT_EQ(TipAt(form->Handle(), Centre(b->BoundsRect())), "Or not");

  // The button still hears its own clicks.
  form->events.clear();
  form->ok->SetModalResult(0);
  SendMessageA(b->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->events, (std::vector<std::string>{"click ok"}));

  b->SetHint("");
  EXPECT_EQ(TipAt(b->Handle(), POINT{3, 3}), "");
  EXPECT_EQ(TipAt(form->Handle(), Centre(b->BoundsRect())), "");
  form->Free();
}

TEST(Hint, AHintGivenBeforeTheWindowExistsComesWithIt) {
  auto* form = New<TControlsForm>(nullptr);
  auto* b = new TButton(form);
  b->SetHint("Early");
  b->SetParent(form);
  b->SetBounds(10, 200, 60, 25);
  form->Show();
  PumpFor(20);
  EXPECT_EQ(TipAt(b->Handle(), POINT{3, 3}), "Early");
  b->SetEnabled(false);
  EXPECT_EQ(TipAt(form->Handle(), POINT{40, 212}), "Early");
  form->Free();
}

}  // namespace
