// The common dialogs' events around Execute, answered by a responder of the test, and
// the real file dialog with a child template, a hook and a panel placed on it.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "forms/dialogs/Dialogs.h"
#include "forms/controls/Panel.h"
#include "forms/dialogs/Responder.h"

namespace {

class TDialogAnswerer : public TUserResponder {
public:
  std::vector<std::string>* log;
  TColor answer = clRed;
  bool accept = true;
  explicit TDialogAnswerer(std::vector<std::string>* l) : log(l) { previous_ = SetUserResponder(this); }
  ~TDialogAnswerer() override { SetUserResponder(previous_); }
  bool ExecuteDialog(TCommonDialog& dialog, HWND) override {
    auto& colour = static_cast<TColorDialog&>(dialog);
    log->push_back("shown with " + std::to_string(colour.Color));
    if (accept) colour.Color = answer;
    return accept;
  }

private:
  TUserResponder* previous_;
};

class TDialogEvents : public TObject {
public:
  std::vector<std::string> log;
  TColorDialog* dialog = nullptr;
  void Show(TObject*) {
    log.push_back("show");
    dialog->Color = 0x123456;  // preset from the handler, as a colour picker does
  }
  void Close(TObject*) { log.push_back("close with " + std::to_string(dialog->Color)); }
};

TEST(CommonDialog, OnShowPresetsWhatTheDialogShowsAndOnCloseSeesTheAnswer) {
  TDialogEvents events;
  TDialogAnswerer answerer(&events.log);
  auto* dialog = new TColorDialog(nullptr);
  events.dialog = dialog;
  dialog->OnShow = MakeEvent(&events, &TDialogEvents::Show);
  dialog->OnClose = MakeEvent(&events, &TDialogEvents::Close);
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->Color, clRed);
  answerer.accept = false;
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(events.log, (std::vector<std::string>{"show", "shown with 1193046", "close with 255", "show",
                                                  "shown with 1193046", "close with 1193046"}));
  dialog->Free();
}

// An open dialog that places a panel on the window made from its template when it shows,
// notes what it found, and cancels itself.
class TPanelledOpenDialog : public TOpenDialog {
public:
  explicit TPanelledOpenDialog(TComponent* owner) : TOpenDialog(owner), panel(new TPanel(nullptr)) {
    panel->SetCaption("extra");
  }
  ~TPanelledOpenDialog() override { panel->Free(); }

  TPanel* panel;
  std::vector<std::string> log;

protected:
  void DoShow(HWND dialog) override {
    log.push_back(GetDlgItem(dialog, stc32) ? "shown with the template" : "shown without it");
    RECT placeholder{};
    GetWindowRect(GetDlgItem(dialog, stc32), &placeholder);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placeholder), 2);
    panel->SetParentWindow(dialog);
    panel->SetBounds(placeholder.right, 0, 40, 40);
    // The dialog itself shows only after this: the panel's own style says it will show.
    if (GetParent(panel->Handle()) == dialog && (GetWindowLongA(panel->Handle(), GWL_STYLE) & WS_VISIBLE))
      log.push_back("panel on the dialog");
    PostMessageA(GetParent(dialog), WM_COMMAND, IDCANCEL, 0);
  }
  void DoClose(HWND dialog) override {
    log.push_back(IsWindow(panel->Handle()) && GetParent(panel->Handle()) == dialog ? "closing with the panel"
                                                                                   : "closing");
  }
};

TEST(OpenDialog, RunsWithTheProgramsTemplateAndAPanelOnIt) {
  auto* dialog = new TPanelledOpenDialog(nullptr);
  dialog->TemplateName = "TESTTEMPLATE";
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->log, (std::vector<std::string>{"shown with the template", "panel on the dialog",
                                                   "closing with the panel"}));
  // The panel's window went with the dialog; the panel makes a new one when asked.
  EXPECT_FALSE(dialog->panel->HandleAllocated());
  dialog->Free();
}

}  // namespace
