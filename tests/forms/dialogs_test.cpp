// The common dialogs' events around Execute, answered by a responder of the test.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "forms/Dialogs.h"
#include "forms/Responder.h"

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

}  // namespace
