// The application object: hooks on its window and the activation messages, the idle
// slot, the responder answering message boxes, exceptions from message handlers
// reaching the default handler, the utility window.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/GuiTest.h"
#include "forms/windows/Forms.h"
#include "forms/runtime/UtilityWindow.h"

namespace {

class THookLog : public TObject {
public:
  std::vector<UINT> seen;
  bool handle = false;
  void Hook(TMessage& m, bool& handled) {
    if (m.Msg == CM_ACTIVATE || m.Msg == CM_DEACTIVATE || m.Msg == WM_APP) seen.push_back(m.Msg);
    handled = handle && m.Msg == WM_APP;
  }
};

TEST(Application, HooksSeeActivationMadeFromActivateApp) {
  THookLog first, second;
  Application->HookMainWindow(MakeEvent(&first, &THookLog::Hook));
  Application->HookMainWindow(MakeEvent(&second, &THookLog::Hook));
  bool wasActive = Application->Active();
  HWND app = Application->Handle();
  // Every top-level window receives WM_ACTIVATEAPP; the change is posted once.
  SendMessageA(app, WM_ACTIVATEAPP, !wasActive, 0);
  SendMessageA(app, WM_ACTIVATEAPP, !wasActive, 0);
  SendMessageA(app, WM_ACTIVATEAPP, wasActive, 0);
  PumpFor(50);
  UINT firstChange = wasActive ? CM_DEACTIVATE : CM_ACTIVATE;
  UINT secondChange = wasActive ? CM_ACTIVATE : CM_DEACTIVATE;
  EXPECT_EQ(first.seen, (std::vector<UINT>{firstChange, secondChange}));
  EXPECT_EQ(second.seen, first.seen);
  // The last hook added is asked first and can stop the others.
  second.handle = true;
  SendMessageA(app, WM_APP, 0, 0);
  EXPECT_EQ(second.seen.back(), static_cast<UINT>(WM_APP));
  EXPECT_NE(first.seen.back(), static_cast<UINT>(WM_APP));
  Application->UnhookMainWindow(MakeEvent(&second, &THookLog::Hook));
  SendMessageA(app, WM_APP, 0, 0);
  EXPECT_EQ(first.seen.back(), static_cast<UINT>(WM_APP));
  Application->UnhookMainWindow(MakeEvent(&first, &THookLog::Hook));
}

class TIdler : public TObject {
public:
  int calls = 0;
  int until = 0;
  void Idle(TObject*, bool& done) { done = ++calls >= until; }
};

TEST(Application, IdleHandlerRunsAgainWhileItClearsDone) {
  TIdler idler;
  idler.until = 25;
  Application->OnIdle = MakeEvent(&idler, &TIdler::Idle);
  // Without any message, HandleMessage keeps calling the idle handler; the last call
  // says done, and the loop then waits until the timer's message arrives.
  UINT_PTR timer = SetTimer(nullptr, 0, 200, nullptr);
  DWORD start = GetTickCount();
  for (int i = 0; i < 30 && idler.calls < 25; ++i) Application->HandleMessage();
  EXPECT_EQ(idler.calls, 25);
  Application->HandleMessage();
  EXPECT_GE(GetTickCount() - start, 150u);
  EXPECT_EQ(idler.calls, 25);
  KillTimer(nullptr, timer);
  Application->OnIdle = nullptr;
}

TEST(Responder, AnswersTheMessageBox) {
  TRecordingResponder responder;
  responder.answer = IDNO;
  EXPECT_EQ(Application->MessageBox("Save changes?", "Quorvel", MB_YESNO), IDNO);
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].text, "Save changes?");
  EXPECT_EQ(responder.boxes[0].caption, "Quorvel");
  EXPECT_EQ(responder.boxes[0].flags, static_cast<UINT>(MB_YESNO));
}

class TThrowingForm : public TForm {
public:
  using TForm::TForm;

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_APP + 7) throw EConvertError("%s not loaded", "DDraw.dll");
    if (m.Msg == WM_APP + 8) throw EAbort("quiet");
    TForm::Dispatch(m);
  }
};

TEST(Application, ExceptionInAHandlerReachesTheDefaultHandler) {
  TRecordingResponder responder;
  auto* form = New<TThrowingForm>(nullptr);
  std::string savedTitle = Application->Title();
  Application->SetTitle("Quorvel");
  PostMessageA(form->Handle(), WM_APP + 8, 0, 0);
  PostMessageA(form->Handle(), WM_APP + 7, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !responder.boxes.empty(); }));
  EXPECT_EQ(responder.boxes.size(), 1u);  // EAbort shows nothing
  EXPECT_EQ(responder.boxes[0].text, "DDraw.dll not loaded");
  EXPECT_EQ(responder.boxes[0].caption, "Quorvel");
  EXPECT_EQ(responder.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  Application->SetTitle(savedTitle);
  form->Free();
}

class TUtilityTarget : public TObject {
public:
  HWND window = nullptr;
  std::vector<WPARAM> got;
  void WndProc(TMessage& m) {
    if (m.Msg == WM_APP) got.push_back(m.WParam);
    else m.Result = DefWindowProcA(window, m.Msg, m.WParam, m.LParam);
  }
};

TEST(UtilityWindow, DeliversPostedMessagesToItsMethod) {
  TUtilityTarget target;
  target.window = AllocateHWnd(MakeEvent(&target, &TUtilityTarget::WndProc));
  PostMessageA(target.window, WM_APP, 5, 0);
  PostMessageA(target.window, WM_APP, 6, 0);
  ASSERT_TRUE(PumpUntil([&] { return target.got.size() == 2; }));
  EXPECT_EQ(target.got, (std::vector<WPARAM>{5, 6}));
  DeallocateHWnd(target.window);
}

}  // namespace
