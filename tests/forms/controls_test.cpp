// The standard controls under wine with real messages: text fields and their change
// events, spin edits clamping, check boxes and radio groups raising OnClick for clicks
// and assignments, track bars, speed-button groups, buttons ending modal forms and
// the dialog keys Enter, Escape and Tab.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/forms/ControlsTestForm.h"

namespace {

using Events = std::vector<std::string>;

TControlsForm* ShownForm() {
  auto* form = New<TControlsForm>(nullptr);
  form->Show();
  PumpFor(20);
  form->events.clear();
  return form;
}

void Type(TWinControl* control, const std::string& text) {
  for (char c : text) SendMessageA(control->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
}

TEST(Controls, NothingFiresWhileTheFormIsLoaded) {
  auto* form = New<TControlsForm>(nullptr);
  EXPECT_TRUE(form->events.empty()) << form->events[0];
  EXPECT_EQ(form->spin->Value(), 15);
  EXPECT_EQ(form->group->ItemIndex(), 0);
  EXPECT_TRUE(form->group->Buttons(0)->Checked());
  EXPECT_EQ(form->track->Position(), 8);
  // Making the windows raises nothing either.
  form->Show();
  PumpFor(20);
  EXPECT_TRUE(form->events.empty()) << form->events[0];
  EXPECT_EQ(form->spin->Text(), "15");
  EXPECT_EQ(SendMessageA(form->group->Buttons(0)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(form->track->Handle(), TBM_GETPOS, 0, 0), 8);
  form->Free();
}

TEST(Edit, ChangesByProgramAndUserRaiseOnChangeOnce) {
  // Without a window yet, and then with one.
  auto* form = New<TControlsForm>(nullptr);
  form->edit1->SetText("abc");
  EXPECT_EQ(form->events, (Events{"change edit1"}));
  form->edit1->SetText("abc");
  EXPECT_EQ(form->events.size(), 1u);
  form->Show();
  EXPECT_EQ(form->edit1->Text(), "abc");
  form->events.clear();
  form->edit1->SetText("150");
  EXPECT_EQ(form->events, (Events{"change edit1"}));
  char window[16] = "";
  GetWindowTextA(form->edit1->Handle(), window, sizeof window);
  EXPECT_STREQ(window, "150");
  form->events.clear();
  SendMessageA(form->edit1->Handle(), EM_SETSEL, 3, 3);
  Type(form->edit1, "7");
  EXPECT_EQ(form->edit1->Text(), "1507");
  EXPECT_EQ(form->edit1->Caption(), "1507");
  EXPECT_EQ(form->events, (Events{"change edit1"}));
  // The limit holds for typing; the program may set more.
  Type(form->edit2, "12345");
  EXPECT_EQ(form->edit2->Text(), "123");
  form->edit2->SetText("123456");
  EXPECT_EQ(form->edit2->Text(), "123456");
  form->edit2->SelectAll();
  EXPECT_EQ(form->edit2->SelStart(), 0);
  EXPECT_EQ(form->edit2->SelLength(), 6);
  form->Free();
}

TEST(Edit, FocusRaisesEnterAndExit) {
  auto* form = ShownForm();
  form->edit1->SetFocus();
  form->edit2->SetFocus();
  form->ok->SetFocus();
  EXPECT_EQ(form->events, (Events{"enter edit1", "exit edit1", "enter edit2"}));
  form->Free();
}

TEST(SpinEdit, ClampsSetValuesAndReadsNonNumbersAsTheMinimum) {
  auto* form = ShownForm();
  TSpinEdit* spin = form->spin;
  struct Case {
    int set;
    int value;
  } cases[] = {{0, 0}, {255, 255}, {256, 255}, {-1, 0}, {100000, 255}, {17, 17}};
  for (const Case& c : cases) {
    spin->SetValue(c.set);
    EXPECT_EQ(spin->Value(), c.value) << c.set;
    EXPECT_EQ(spin->Text(), std::to_string(c.value)) << c.set;
  }
  struct Text {
    const char* text;
    int value;
  } texts[] = {{"", 0}, {"abc", 0}, {"12", 12}, {"999", 255}, {"-5", 0}, {" 7 ", 7}};
  for (const Text& t : texts) {
    spin->SetText(t.text);
    EXPECT_EQ(spin->Value(), t.value) << t.text;
  }
  form->Free();
}

TEST(SpinEdit, LeavingTheFieldSettlesItsTextAndRaisesTheChange) {
  auto* form = ShownForm();
  form->spin->SetFocus();
  SendMessageA(form->spin->Handle(), EM_SETSEL, 0, -1);
  Type(form->spin, "999");
  EXPECT_EQ(form->spin->Text(), "999");  // three characters at most
  form->events.clear();
  form->edit1->SetFocus();
  EXPECT_EQ(form->spin->Text(), "255");
  EXPECT_EQ(form->events, (Events{"change spin", "enter edit1"}));
  // The change handler's own assignment is clamped too.
  EXPECT_EQ(form->follower->Value(), 255);
  EXPECT_EQ(form->follower->Text(), "255");
  form->Free();
}

TEST(SpinEdit, ArrowsAndKeysStepTheValue) {
  auto* form = ShownForm();
  TSpinEdit* spin = form->spin;
  spin->SetValue(254);
  HWND upDown = spin->UpDownHandle();
  ASSERT_NE(upDown, nullptr);
  RECT r;
  GetClientRect(upDown, &r);
  ASSERT_GT(r.bottom, 4);
  auto click = [&](int y) {
    SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, y));
    SendMessageA(upDown, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, y));
    PumpFor(10);
  };
  click(2);  // the upper arrow
  EXPECT_EQ(spin->Value(), 255);
  click(2);
  EXPECT_EQ(spin->Value(), 255);
  click(r.bottom - 2);
  EXPECT_EQ(spin->Value(), 254);
  SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(spin->Value(), 255);
  SendMessageA(spin->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(spin->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(spin->Value(), 253);
  EXPECT_EQ(form->follower->Value(), 255);  // 253 + 10, clamped
  form->Free();
}

TEST(CheckBox, ClicksAndAssignmentsToggleAndRaiseOnClick) {
  auto* form = ShownForm();
  HWND box = form->check->Handle();
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_TRUE(form->check->Checked());
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  form->check->SetChecked(false);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  form->check->SetChecked(false);
  EXPECT_EQ(form->events, (Events{"click check", "click check"}));
  form->Free();
}

TEST(RadioGroup, ItemIndexFollowsClicksAndAssignments) {
  auto* form = ShownForm();
  TRadioGroup* group = form->group;
  ASSERT_EQ(group->ControlCount(), 6);
  // Six columns in one row, left to right.
  for (int i = 1; i < 6; ++i) {
    EXPECT_GT(group->Buttons(i)->Left(), group->Buttons(i - 1)->Left());
    EXPECT_EQ(group->Buttons(i)->Top(), group->Buttons(0)->Top());
  }
  SendMessageA(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_FALSE(group->Buttons(0)->Checked());
  EXPECT_EQ(SendMessageA(group->Buttons(0)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);  // already checked
  // Stepping through the items by program, as an "Enter" button does, and back to the start.
  for (int i = 3; i <= 6; ++i) group->SetItemIndex(i % 6);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(form->events, (Events{"click group", "click group", "click group", "click group", "click group"}));
  group->SetItemIndex(-1);
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(group->Buttons(i)->Checked()) << i;
  // Fewer items: the buttons go, an index past the end goes with them.
  group->SetItemIndex(5);
  group->Items()->Delete(5);
  EXPECT_EQ(group->ControlCount(), 5);
  EXPECT_EQ(group->ItemIndex(), -1);
  form->Free();
}

TEST(RadioButton, CheckingOneUnchecksItsSiblingsSilently) {
  auto* form = ShownForm();
  auto* a = new TRadioButton(form);
  auto* b = new TRadioButton(form);
  a->SetParent(form->panel);
  b->SetParent(form->panel);
  a->OnClick = MakeEvent(form, &TControlsForm::Clicked);
  b->OnClick = MakeEvent(form, &TControlsForm::Clicked);
  a->SetName("a");
  b->SetName("b");
  a->SetChecked(true);
  SendMessageA(b->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(b->TabStop());
  EXPECT_FALSE(a->TabStop());
  b->SetChecked(false);
  EXPECT_EQ(form->events, (Events{"click a", "click b"}));
  form->Free();
}

TEST(TrackBar, PositionStaysInRangeAndUserMovesRaiseOnChange) {
  auto* form = ShownForm();
  TTrackBar* track = form->track;
  track->SetPosition(150);
  EXPECT_EQ(track->Position(), 100);
  track->SetPosition(-3);
  EXPECT_EQ(track->Position(), 0);
  EXPECT_EQ(form->events, (Events{"change track", "change track"}));
  form->events.clear();
  track->SetFocus();
  // The track bar moves on the key and tells its parent, which passes it back.
  SendMessageA(track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(track->Handle(), WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(track->Position(), 1);
  EXPECT_EQ(form->events, (Events{"change track"}));
  track->SetMax(0);
  EXPECT_EQ(track->Position(), 0);
  EXPECT_EQ(track->Min(), 0);
  form->Free();
}

// A descendant that changes the creation styles and also sees every scroll code, as
// the parameters window's track bars do.
class TDetailTrackBar : public TTrackBar {
public:
  using TTrackBar::TTrackBar;
  std::vector<int> codes;

protected:
  void CreateParams(TCreateParams& params) override {
    TTrackBar::CreateParams(params);
    params.Style |= TBS_TOOLTIPS;
    params.Style &= ~static_cast<DWORD>(TBS_ENABLESELRANGE);
  }
  void CNHScroll(TMessage& m) override {
    TTrackBar::CNHScroll(m);
    codes.push_back(static_cast<short>(LOWORD(m.WParam)));
  }
};

TEST(TrackBar, DescendantsChangeStylesAndSeeScrollCodes) {
  auto* form = ShownForm();
  auto* track = new TDetailTrackBar(form);
  track->SetBounds(8, 200, 200, 30);
  track->SetMax(100);
  track->SetParent(form);
  LONG style = GetWindowLongA(track->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & TBS_TOOLTIPS);
  EXPECT_FALSE(style & TBS_ENABLESELRANGE);
  EXPECT_TRUE(style & TBS_FIXEDLENGTH);
  track->SetFocus();
  SendMessageA(track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(track->Handle(), WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(track->Position(), 1);
  ASSERT_GE(track->codes.size(), 2u);
  EXPECT_EQ(track->codes.front(), TB_LINEDOWN);
  EXPECT_EQ(track->codes.back(), TB_ENDTRACK);
  form->Free();
}

// Presses and releases the left button over a point of a graphic control's parent.
void ClickAt(TControl* control, int x, int y) {
  HWND parent = control->Parent()->Handle();
  LPARAM at = MAKELPARAM(control->Left() + x, control->Top() + y);
  SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(parent, WM_LBUTTONUP, 0, at);
}

class TDownLog : public TObject {
public:
  TSpeedButton* button = nullptr;
  std::vector<bool> downs;
  void Click(TObject*) { downs.push_back(button->Down()); }
};

TEST(SpeedButton, GroupedButtonsToggleBeforeOnClick) {
  auto* form = ShownForm();
  TDownLog log;
  log.button = form->toggle;
  form->toggle->OnClick = MakeEvent(&log, &TDownLog::Click);
  ClickAt(form->toggle, 5, 5);
  ClickAt(form->toggle, 5, 5);
  ClickAt(form->toggle, 5, 5);
  EXPECT_EQ(log.downs, (std::vector<bool>{true, false, true}));
  // The program puts it up without a click event.
  form->toggle->SetDown(false);
  EXPECT_FALSE(form->toggle->Down());
  EXPECT_EQ(log.downs.size(), 3u);
  // A release outside the button is no click.
  HWND parent = form->panel->Handle();
  SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
  SendMessageA(parent, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 50));
  SendMessageA(parent, WM_LBUTTONUP, 0, MAKELPARAM(150, 50));
  EXPECT_EQ(log.downs.size(), 3u);
  // A button of group 0 clicks but never stays down.
  ClickAt(form->plain, 5, 5);
  EXPECT_FALSE(form->plain->Down());
  form->plain->SetDown(true);
  EXPECT_FALSE(form->plain->Down());
  EXPECT_EQ(form->events, (Events{"click plain"}));
  form->Free();
}

TEST(SpeedButton, OnlyOneOfAGroupIsDownAndWithoutAllowAllUpItStays) {
  auto* form = ShownForm();
  auto* second = new TSpeedButton(form);
  second->SetBounds(90, 35, 70, 20);
  second->SetParent(form->panel);
  second->SetGroupIndex(66);
  form->toggle->SetAllowAllUp(false);
  form->toggle->SetDown(true);
  ClickAt(second, 5, 5);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(form->toggle->Down());
  ClickAt(second, 5, 5);  // down, and the group may not be all up
  EXPECT_TRUE(second->Down());
  second->SetDown(false);
  EXPECT_TRUE(second->Down());
  form->Free();
}

TEST(Button, ModalResultEndsShowModal) {
  auto* form = New<TControlsForm>(nullptr);
  TOnFirstIdle click([&] { PostMessageA(form->ok->Handle(), BM_CLICK, 0, 0); });
  EXPECT_EQ(form->ShowModal(), 1);
  EXPECT_EQ(form->events, (Events{"click ok"}));
  EXPECT_FALSE(form->Visible());
  form->Free();
}

TEST(DialogKeys, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  // OK gives 1 and Cancel 3; a key that does nothing leaves the close that follows it
  // to end the form with mrCancel (2).
  struct Case {
    bool okDefault, okCancel, cancelCancel;
    WPARAM key;
    int result;
  } cases[] = {
      {true, false, false, VK_RETURN, 1},   // Enter confirms
      {false, false, false, VK_RETURN, 2},  // no default button
      {false, false, true, VK_ESCAPE, 3},   // Escape cancels
      {false, true, false, VK_ESCAPE, 1},   // OK as the cancel button: Escape confirms
      {true, false, false, VK_ESCAPE, 2},   // no cancel button: Escape does nothing
  };
  for (const Case& c : cases) {
    auto* form = New<TControlsForm>(nullptr);
    form->ok->SetDefault(c.okDefault);
    form->ok->SetCancel(c.okCancel);
    form->cancel->SetCancel(c.cancelCancel);
    form->cancel->SetModalResult(3);
    TOnFirstIdle press([&] {
      form->edit1->SetFocus();
      PostMessageA(form->edit1->Handle(), WM_KEYDOWN, c.key, 1);
      PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(form->ShowModal(), c.result) << c.key << " " << c.okDefault << c.okCancel << c.cancelCancel;
    form->Free();
  }
}

TEST(DialogKeys, EnterOnAFocusedButtonClicksThatButton) {
  auto* form = New<TControlsForm>(nullptr);
  form->ok->SetDefault(true);
  TOnFirstIdle press([&] {
    form->cancel->SetFocus();
    PostMessageA(form->cancel->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  });
  EXPECT_EQ(form->ShowModal(), 2);
  form->Free();
}

TEST(DialogKeys, TabMovesThroughTheTabStopsInOrder) {
  auto* form = ShownForm();
  form->edit1->SetFocus();
  std::vector<HWND> order;
  for (int i = 0; i < 8; ++i) {
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    order.push_back(GetFocus());
  }
  // The focus holder has no tab stop, the follower is disabled, the radio group's
  // checked button is its stop, and the speed buttons take no focus.
  std::vector<HWND> expected{form->edit2->Handle(), form->spin->Handle(), form->check->Handle(),
                             form->group->Buttons(0)->Handle(), form->track->Handle(), form->ok->Handle(),
                             form->cancel->Handle(), form->edit1->Handle()};
  EXPECT_EQ(order, expected);
  form->Free();
}

TEST(Controls, FormFontReachesEveryWindowAndALabelKeepsItsOwn) {
  auto* form = ShownForm();
  auto faceOf = [](HWND w) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    if (!font || !GetObjectA(font, sizeof lf, &lf)) return std::string("(none)");
    return std::string(lf.lfFaceName);
  };
  EXPECT_EQ(faceOf(form->ok->Handle()), "Tahoma");
  EXPECT_EQ(faceOf(form->edit1->Handle()), "Tahoma");
  EXPECT_EQ(faceOf(form->group->Buttons(3)->Handle()), "Tahoma");
  EXPECT_EQ(form->toggle->Font()->Name(), "Tahoma");  // through the panel
  form->ok->Font()->SetName("Arial");
  EXPECT_FALSE(form->ok->ParentFont());
  EXPECT_EQ(faceOf(form->ok->Handle()), "Arial");
  auto* label = new TLabel(form);
  label->Font()->SetName("Arial Black");
  label->SetParent(form);
  EXPECT_EQ(label->Font()->Name(), "Arial Black");
  form->Free();
}

TEST(Memo, LinesAndTextFollowEachOther) {
  auto* form = ShownForm();
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetReadOnly(true);
  memo->SetScrollBars(ssVertical);
  memo->Lines()->Add("Server info:");
  memo->Lines()->Add("  ");
  memo->Lines()->Add("    Class:   'Tintary.Tintarycom'");
  EXPECT_EQ(memo->Text(), "Server info:\r\n  \r\n    Class:   'Tintary.Tintarycom'");
  LONG style = GetWindowLongA(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_TRUE(style & ES_MULTILINE);
  memo->SetText("one\r\ntwo");
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), "two");
  form->Free();
}

class TWheelCounter : public TObject {
public:
  int turns = 0;
  void Wheel(TObject*, TShiftState, int, POINT, bool&) { ++turns; }
};

// A child that does not handle a wheel turn leaves it to the default procedure, which
// passes it to the parent: the form hears of it once.
TEST(Controls, AWheelTurnOverAChildReachesTheFormOnce) {
  TControlsForm* form = ShownForm();
  TWheelCounter counter;
  form->OnMouseWheel = MakeEvent(&counter, &TWheelCounter::Wheel);
  POINT p = form->panel->ClientToScreen(POINT{5, 5});
  SendMessageA(form->panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(p.x, p.y));
  EXPECT_EQ(counter.turns, 1);
  form->OnMouseWheel = nullptr;
  form->Free();
}

}  // namespace
