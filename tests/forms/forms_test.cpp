// Forms and controls under wine: real messages reach the typed handlers, a replaced
// window procedure sees messages before the form, key preview, alignment, ownership,
// the form description's loading bracket and OnCreate order, modal showing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "forms/windows/Controls.h"
#include "forms/windows/Forms.h"

namespace {

std::vector<std::string> journal;

class TJournalControl : public TCustomControl {
public:
  TJournalControl(TComponent* owner, std::string tag) : TCustomControl(owner), tag_(std::move(tag)) {}
  ~TJournalControl() override { journal.push_back("free " + tag_); }
  int paints = 0;

protected:
  void Loaded() override {
    TCustomControl::Loaded();
    journal.push_back("loaded " + tag_);
  }
  void Paint() override { ++paints; }

private:
  std::string tag_;
};

class TTestForm : public TForm {
public:
  TJournalControl* client;
  TJournalControl* bottom;
  std::vector<UINT> formMessages;
  int sysCommands = 0;
  int userMessages = 0;
  std::vector<std::string> mouse;

  explicit TTestForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetCaption("Test form");
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 400, 300);
    bottom = new TJournalControl(this, "bottom");
    bottom->SetParent(this);
    bottom->SetHeight(50);
    bottom->SetAlign(alBottom);
    client = new TJournalControl(this, "client");
    client->SetParent(this);
    client->SetAlign(alClient);
    OnCreate = MakeEvent(this, &TTestForm::FormCreate);
    OnMouseDown = MakeEvent(this, &TTestForm::FormMouseDown);
    loader.Finish();
  }

  void FormCreate(TObject*) { journal.push_back("create"); }
  void FormMouseDown(TObject*, TMouseButton b, TShiftState s, int x, int y) {
    mouse.push_back(std::to_string(b) + (s.Contains(ssShift) ? "S" : "") + " " + std::to_string(x) + "," +
                    std::to_string(y));
  }

protected:
  void Loaded() override {
    TForm::Loaded();
    journal.push_back("loaded form");
  }
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_APP + 1) {
      ++userMessages;
      m.Result = 77;
      return;
    }
    TForm::Dispatch(m);
  }
  void WMSysCommand(TMessage& m) override {
    ++sysCommands;
    TForm::WMSysCommand(m);
  }
  void WMWindowPosChanged(TMessage& m) override {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (pos->flags & SWP_SHOWWINDOW) formMessages.push_back(m.Msg);
    TForm::WMWindowPosChanged(m);
  }
  void WMDestroy(TMessage& m) override {
    formMessages.push_back(m.Msg);
    TForm::WMDestroy(m);
  }
};

// Puts itself in front of a control's window procedure, as a component hooking its form.
class THook : public TObject {
public:
  explicit THook(TControl* control, std::vector<UINT>* log) : control_(control), log_(log) {
    previous_ = control->WindowProc;
    control->WindowProc = MakeEvent(this, &THook::Hooked);
  }
  ~THook() override { control_->WindowProc = previous_; }
  TWndMethod previous() const { return previous_; }

private:
  void Hooked(TMessage& m) {
    if (m.Msg == WM_DESTROY) log_->push_back(1000 + m.Msg);
    if (m.Msg == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(m.LParam)->flags & SWP_SHOWWINDOW))
      log_->push_back(1000 + m.Msg);
    previous_(m);
  }
  TControl* control_;
  std::vector<UINT>* log_;
  TWndMethod previous_;
};

TEST(Form, LoadedRunsForEveryComponentBeforeOnCreate) {
  journal.clear();
  TTestForm* form = New<TTestForm>(nullptr);
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded form", "loaded bottom", "loaded client", "create"}));
  form->Free();
}

TEST(Form, FreeingTheFormFreesItsControls) {
  journal.clear();
  TTestForm* form = New<TTestForm>(nullptr);
  form->Show();
  journal.clear();
  form->Free();
  EXPECT_EQ(journal, (std::vector<std::string>{"free client", "free bottom"}));
}

TEST(Form, HookSeesShowingAndDestroyBeforeTheForm) {
  TTestForm* form = New<TTestForm>(nullptr);
  TWndMethod original = form->WindowProc;
  THook* hook = new THook(form, &form->formMessages);
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return form->formMessages.size() >= 2; }));
  EXPECT_EQ(form->formMessages[0], 1000u + WM_WINDOWPOSCHANGED);
  EXPECT_EQ(form->formMessages[1], static_cast<UINT>(WM_WINDOWPOSCHANGED));
  std::vector<UINT>* log = &form->formMessages;
  std::vector<UINT> seen;
  // Free while hooked: the hook gets WM_DESTROY first, and the form after it.
  form->BeforeDestruction();
  seen = *log;
  ASSERT_GE(seen.size(), 4u);
  EXPECT_EQ(seen[2], 1000u + WM_DESTROY);
  EXPECT_EQ(seen[3], static_cast<UINT>(WM_DESTROY));
  delete hook;
  EXPECT_TRUE(form->WindowProc == original);
  delete form;
}

TEST(Form, UnhookingGivesBackTheExactWindowProcedure) {
  TTestForm* form = New<TTestForm>(nullptr);
  std::vector<UINT> log;
  TWndMethod original = form->WindowProc;
  auto* outer = new THook(form, &log);
  auto* inner = new THook(form, &log);
  EXPECT_FALSE(inner->previous() == original);
  delete inner;
  delete outer;
  EXPECT_TRUE(form->WindowProc == original);
  form->Free();
}

TEST(Form, RealMessagesReachTheirHandlers) {
  TTestForm* form = New<TTestForm>(nullptr);
  form->Show();
  HWND window = form->Handle();
  EXPECT_EQ(SendMessageA(window, WM_APP + 1, 0, 0), 77);
  PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
  PostMessageA(window, WM_LBUTTONDOWN, MK_SHIFT | MK_LBUTTON, MAKELPARAM(12, 34));
  ASSERT_TRUE(PumpUntil([&] { return form->sysCommands > 0 && !form->mouse.empty(); }));
  EXPECT_EQ(form->mouse[0], "0S 12,34");
  // A button press over the bottom control goes to the control, not to the form.
  int presses = 0;
  struct Counter : TObject {
    int* n;
    void Down(TObject*, TMouseButton, TShiftState, int, int) { ++*n; }
  } counter;
  counter.n = &presses;
  form->bottom->OnMouseDown = MakeEvent(&counter, &Counter::Down);
  SendMessageA(form->bottom->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(form->mouse.size(), 1u);
  form->Free();
}

TEST(Form, AlignmentFillsTheClientAreaAboveTheBottomControl) {
  TTestForm* form = New<TTestForm>(nullptr);
  form->SetClientWidth(320);
  form->SetClientHeight(240);
  form->Show();
  EXPECT_EQ(form->ClientWidth(), 320);
  EXPECT_EQ(form->ClientHeight(), 240);
  EXPECT_EQ(form->bottom->Top(), 190);
  EXPECT_EQ(form->bottom->Width(), 320);
  EXPECT_EQ(form->client->Height(), 190);
  form->bottom->SetVisible(false);
  EXPECT_EQ(form->client->Height(), 240);
  form->Free();
}

TEST(Form, PaintReachesTheCustomControl) {
  TTestForm* form = New<TTestForm>(nullptr);
  form->Show();
  form->client->Invalidate();
  ASSERT_TRUE(PumpUntil([&] { return form->client->paints > 0; }));
  form->Free();
}

class TKeyLog : public TObject {
public:
  std::vector<std::string> keys;
  bool swallow = false;
  void FormKey(TObject*, WORD& key, TShiftState) {
    keys.push_back("form " + std::to_string(key));
    if (swallow) key = 0;
  }
  void ControlKey(TObject*, WORD& key, TShiftState) { keys.push_back("control " + std::to_string(key)); }
};

TEST(Form, KeyPreviewShowsKeysToTheFormFirst) {
  TTestForm* form = New<TTestForm>(nullptr);
  TKeyLog log;
  form->SetKeyPreview(true);
  form->OnKeyDown = MakeEvent(&log, &TKeyLog::FormKey);
  form->client->OnKeyDown = MakeEvent(&log, &TKeyLog::ControlKey);
  form->Show();
  SendMessageA(form->client->Handle(), WM_KEYDOWN, 'J', 0);
  log.swallow = true;
  SendMessageA(form->client->Handle(), WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(log.keys, (std::vector<std::string>{"form 74", "control 74", "form 65"}));
  form->Free();
}

class TModalForm : public TForm {
public:
  using TForm::TForm;
  bool allowClose = false;
  int queries = 0;
  TCloseAction action = caHide;
  void Query(TObject*, bool& canClose) {
    ++queries;
    canClose = allowClose;
    allowClose = true;
  }
  void Closing(TObject*, TCloseAction& a) { a = action; }
};

TEST(Form, ShowModalRunsUntilModalResultAndAsksCloseQuery) {
  auto* form = New<TModalForm>(nullptr);
  form->OnCloseQuery = MakeEvent(form, &TModalForm::Query);
  form->OnClose = MakeEvent(form, &TModalForm::Closing);
  struct Poster : TObject {
    TModalForm* form;
    int ticks = 0;
    void Idle(TObject*, bool& done) {
      // Asked twice: the first query refuses, the second allows.
      if (++ticks == 3 || ticks == 6) form->SetModalResult(mrOk);
      done = false;
    }
  } poster;
  poster.form = form;
  Application->OnIdle = MakeEvent(&poster, &Poster::Idle);
  EXPECT_EQ(form->ShowModal(), mrOk);
  Application->OnIdle = nullptr;
  EXPECT_EQ(form->queries, 2);
  EXPECT_FALSE(form->Visible());
  EXPECT_THROW({ form->Show(); form->ShowModal(); }, EInvalidOperation);
  form->Free();
}

TEST(Form, WindowPlacementRoundTrips) {
  TTestForm* form = New<TTestForm>(nullptr);
  form->Show();
  WINDOWPLACEMENT stored{};
  stored.length = sizeof stored;
  ASSERT_TRUE(GetWindowPlacement(form->Handle(), &stored));
  form->SetBounds(10, 10, 300, 200);
  ASSERT_TRUE(SetWindowPlacement(form->Handle(), &stored));
  EXPECT_EQ(form->Width(), stored.rcNormalPosition.right - stored.rcNormalPosition.left);
  form->Free();
}

}  // namespace
