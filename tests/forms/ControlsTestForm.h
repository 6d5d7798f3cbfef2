// A dialog built as a form description would build it, for the tests of the standard
// controls: edits, a spin edit, buttons, check boxes, a radio group, a track bar and
// speed buttons on a panel, with every event recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "forms/windows/Forms.h"
#include "forms/controls/StdCtrls.h"

// Runs Action once from the first idle pass of the message loop (inside ShowModal).
class TOnFirstIdle : public TObject {
public:
  explicit TOnFirstIdle(std::function<void()> action) : action_(std::move(action)) {
    Application->OnIdle = MakeEvent(this, &TOnFirstIdle::Idle);
  }
  ~TOnFirstIdle() override {
    if (Application->OnIdle == MakeEvent(this, &TOnFirstIdle::Idle)) Application->OnIdle = nullptr;
  }

private:
  void Idle(TObject*, bool&) {
    Application->OnIdle = nullptr;
    action_();
  }
  std::function<void()> action_;
};

class TControlsForm : public TForm {
public:
  TPanel* panel;
  TEdit* edit1;
  TEdit* edit2;
  TEdit* holder;  // no tab stop
  TSpinEdit* spin;
  TSpinEdit* follower;  // shows spin + 10, as the tool dialogs' display-only fields
  TCheckBox* check;
  TRadioGroup* group;
  TTrackBar* track;
  TSpeedButton* toggle;
  TSpeedButton* plain;
  TButton* ok;
  TButton* cancel;
  std::vector<std::string> events;

  explicit TControlsForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetCaption("Controls");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    Font()->SetName("Tahoma");
    SetClientWidth(400);
    SetClientHeight(300);

    edit1 = Make<TEdit>(this, "edit1", 8, 8, 100, 21);
    edit1->OnChange = MakeEvent(this, &TControlsForm::Changed);
    edit1->OnEnter = MakeEvent(this, &TControlsForm::Entered);
    edit1->OnExit = MakeEvent(this, &TControlsForm::Left);
    holder = Make<TEdit>(this, "holder", 8, 32, 0, 21);
    holder->SetTabStop(false);
    edit2 = Make<TEdit>(this, "edit2", 8, 56, 100, 21);
    edit2->SetMaxLength(3);
    edit2->OnEnter = MakeEvent(this, &TControlsForm::Entered);
    spin = Make<TSpinEdit>(this, "spin", 120, 8, 60, 21);
    spin->SetMaxLength(3);
    spin->SetMinValue(0);
    spin->SetMaxValue(255);
    spin->SetValue(15);
    spin->OnChange = MakeEvent(this, &TControlsForm::SpinChanged);
    follower = Make<TSpinEdit>(this, "follower", 120, 32, 60, 21);
    follower->SetMinValue(0);
    follower->SetMaxValue(255);
    follower->SetEnabled(false);
    check = Make<TCheckBox>(this, "check", 200, 8, 100, 17);
    check->SetCaption("SSE2");
    check->OnClick = MakeEvent(this, &TControlsForm::Clicked);
    group = Make<TRadioGroup>(this, "group", 8, 90, 380, 45);
    group->SetCaption("Corners && Iteration Constant");
    group->SetColumns(6);
    for (const char* item : {"x1", "x2", "y1", "y2", "re", "im"}) group->Items()->Add(item);
    group->SetItemIndex(0);
    group->OnClick = MakeEvent(this, &TControlsForm::Clicked);
    track = Make<TTrackBar>(this, "track", 8, 140, 200, 30);
    track->SetMax(100);
    track->SetPosition(8);
    track->SetTickStyle(tsNone);
    track->OnChange = MakeEvent(this, &TControlsForm::Changed);
    panel = Make<TPanel>(this, "panel", 220, 140, 170, 60);
    panel->SetBevelOuter(bvLowered);
    toggle = Make<TSpeedButton>(panel, "toggle", 10, 10, 70, 25);
    toggle->SetCaption("Picture");
    toggle->SetGroupIndex(66);
    toggle->SetAllowAllUp(true);
    toggle->OnClick = MakeEvent(this, &TControlsForm::Clicked);
    plain = Make<TSpeedButton>(panel, "plain", 90, 10, 70, 25);
    plain->SetCaption("Edit");
    plain->OnClick = MakeEvent(this, &TControlsForm::Clicked);
    ok = Make<TButton>(this, "ok", 230, 260, 75, 25);
    ok->SetCaption("OK");
    ok->SetModalResult(1);
    ok->OnClick = MakeEvent(this, &TControlsForm::Clicked);
    cancel = Make<TButton>(this, "cancel", 315, 260, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(2);
    loader.Finish();
  }

  template <class T>
  T* Make(TWinControl* parent, const char* name, int left, int top, int width, int height) {
    T* control = new T(this);
    control->SetName(name);
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
  }

  static std::string NameOf(TObject* sender) {
    auto* c = dynamic_cast<TComponent*>(sender);
    return c ? c->Name() : "?";
  }
  void Changed(TObject* s) { events.push_back("change " + NameOf(s)); }
  void Clicked(TObject* s) { events.push_back("click " + NameOf(s)); }
  void Entered(TObject* s) { events.push_back("enter " + NameOf(s)); }
  void Left(TObject* s) { events.push_back("exit " + NameOf(s)); }
  void SpinChanged(TObject* s) {
    events.push_back("change " + NameOf(s));
    follower->SetValue(spin->Value() + 10);
  }
};
