// The up-down control under wine with real clicks on its arrows and real keys in its
// associated edit: the position shown as the edit's text, wrapping or stopping at the
// ends, stepping from a typed number, and the click event with its arrow.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/forms/ControlsTestForm.h"
#include "tests/support/UserInput.h"
#include "forms/controls/UpDown.h"

namespace {

struct TUpDownFixture : TObject {
  TControlsForm* form = New<TControlsForm>(nullptr);
  TUpDown* upDown = new TUpDown(form);
  std::vector<TUDBtnType> clicks;

  TUpDownFixture() {
    upDown->SetParent(form);
    upDown->SetMin(1);
    upDown->SetMax(100);
    upDown->SetPosition(95);
    upDown->SetAssociate(form->edit1);
    upDown->OnClick = MakeEvent(this, &TUpDownFixture::Clicked);
    form->Show();
    PumpFor(20);
    form->events.clear();
  }
  ~TUpDownFixture() override { form->Free(); }
  void Clicked(TObject*, TUDBtnType button) { clicks.push_back(button); }

  // A press and release of the left button on the upper or lower arrow.
  void ClickArrow(TUDBtnType button) {
    RECT r;
    GetClientRect(upDown->Handle(), &r);
    LPARAM at = MAKELPARAM(r.right / 2, button == btNext ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(upDown->Handle(), WM_LBUTTONUP, 0, at);
  }
};

TEST(UpDown, ShowsItsPositionInTheAssociateAndSitsBesideIt) {
  TUpDownFixture f;
  EXPECT_EQ(f.form->edit1->Text(), "95");
  EXPECT_EQ(f.upDown->Left(), f.form->edit1->Left() + f.form->edit1->Width());
  EXPECT_EQ(f.upDown->Top(), f.form->edit1->Top());
  f.upDown->SetPosition(250);
  EXPECT_EQ(f.upDown->Position(), 100);
  EXPECT_EQ(f.form->edit1->Text(), "100");
  EXPECT_TRUE(f.clicks.empty());  // set by the program: no click
}

TEST(UpDown, ArrowsStepWrapOrStopAtTheEnds) {
  struct Case {
    bool wrap;
    const char* typed;  // the associate's text before the click
    TUDBtnType arrow;
    const char* shown;
  } cases[] = {
      {true, "100", btNext, "1"},  {true, "1", btPrev, "100"},  {false, "100", btNext, "100"},
      {false, "1", btPrev, "1"},   {true, "50", btNext, "51"},  {true, "7", btPrev, "6"},
      {true, "abc", btNext, "96"},  // no number typed: steps from the last position
  };
  for (const Case& c : cases) {
    TUpDownFixture f;
    f.upDown->SetWrap(c.wrap);
    f.form->edit1->SetText(c.typed);
    f.form->events.clear();
    f.ClickArrow(c.arrow);
    EXPECT_EQ(f.form->edit1->Text(), c.shown) << c.typed << (c.wrap ? " wrap" : "");
    EXPECT_EQ(f.upDown->Position(), std::stoi(c.shown));
    EXPECT_EQ(f.clicks, std::vector<TUDBtnType>{c.arrow});
    // The associate's change event follows a text that really changed.
    const bool changed = std::string(c.typed) != c.shown;
    EXPECT_EQ(f.form->events, changed ? std::vector<std::string>{"change edit1"} : std::vector<std::string>{});
  }
}

TEST(UpDown, UpAndDownKeysInTheAssociateStepThePosition) {
  TUpDownFixture f;
  f.form->edit1->SetFocus();
  SendMessageA(f.form->edit1->Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageA(f.form->edit1->Handle(), WM_KEYUP, VK_UP, 0);
  EXPECT_EQ(f.upDown->Position(), 96);
  SendMessageA(f.form->edit1->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(f.form->edit1->Handle(), WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(f.upDown->Position(), 95);
  EXPECT_EQ(f.clicks, (std::vector<TUDBtnType>{btNext, btPrev}));
}

// The up-down takes its associate as its buddy, and the common control then stands
// between the edit and its window procedure: what the user types must still reach the
// edit's change event.
TEST(UpDown, KeysTypedIntoTheAssociateRaiseItsChange) {
  TUpDownFixture f;
  ASSERT_TRUE(TypeOver(f.form->edit1, "42"));
  EXPECT_EQ(f.form->edit1->Text(), "42");
  // Two Backspaces over "95", then "4" and "2": one change for each edit of the text.
  std::vector<std::string> changes;
  for (const std::string& e : f.form->events)
    if (e.rfind("change", 0) == 0) changes.push_back(e);
  EXPECT_EQ(changes, (std::vector<std::string>(4, "change edit1")));
  f.form->events.clear();
  f.ClickArrow(btNext);
  EXPECT_EQ(f.form->edit1->Text(), "43");
  EXPECT_EQ(f.form->events, std::vector<std::string>{"change edit1"});
}

TEST(UpDown, AFreedAssociateIsForgotten) {
  TUpDownFixture f;
  f.form->edit1->Free();
  f.form->edit1 = nullptr;
  EXPECT_EQ(f.upDown->Associate(), nullptr);
  f.upDown->SetPosition(3);
  EXPECT_EQ(f.upDown->Position(), 3);
}

}  // namespace
