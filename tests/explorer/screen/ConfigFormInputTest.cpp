// The full-screen configuration dialog driven as a person drives it, opened by its menu
// command: the lists chosen from by keys once Tab has brought the focus to them, the 4:3
// box clicked, OK clicked; each choice seen where it takes effect.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "explorer/app/ExplorerState.h"
#include "explorer/screen/ConfigForm.h"
#include "tests/explorer/parameters/ParametersWindowFixture.h"
#include "tests/support/UserInput.h"
#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/StdCtrls.h"
#include "forms/windows/Menus.h"

namespace {

// Runs an action from the first idle pass of the message loop (inside ShowModal).
class TOnIdle : public TObject {
public:
  explicit TOnIdle(std::function<void()> action) : action_(std::move(action)) {
    Application->OnIdle = MakeEvent(this, &TOnIdle::Idle);
  }
  ~TOnIdle() override {
    if (Application->OnIdle == MakeEvent(this, &TOnIdle::Idle)) Application->OnIdle = nullptr;
  }

private:
  void Idle(TObject*, bool&) {
    Application->OnIdle = nullptr;
    action_();
  }
  std::function<void()> action_;
};

struct Row {
  const char* Control;
  const char* Input;
  std::function<void()> Give;
  std::function<void()> Effect;
};

using ConfigInput = ParametersWindowFixture;

TEST_F(ConfigInput, EveryControlTakesWhatTheUserGivesIt) {
  Open(320, 240);
  TDXDrawDisplay* display = form->DXDraw1->Display();
  display->SetWidth(800);
  display->SetHeight(600);
  display->SetBitCount(32);
  WideScreen43 = false;
  DriverIndex = 0;
  TConfigForm* config = nullptr;
  HWND dialog = nullptr;
  bool ran = false;
  // Tab until the focus is on the control: false when it never comes.
  auto tabTo = [&](TWinControl* control) {
    for (int i = 0; i < 6 && GetFocus() != control->Handle(); ++i) PressKey(VK_TAB);
    return GetFocus() == control->Handle();
  };
  auto modeShown = [&] { return config->DisplayModeBox->Text(); };
  TOnIdle run([&] {
    ran = true;
    config = dynamic_cast<TConfigForm*>(FindControl(GetActiveWindow()));
    ASSERT_NE(config, nullptr);
    dialog = config->Handle();
    const int drivers = config->DriverBox->Items()->Count();
    const std::vector<Row> rows = {
        {"DriverBox", "Tab to it, End",
         [&] {
           ASSERT_TRUE(tabTo(config->DriverBox));
           PressKey(VK_END);
         },
         [&] { EXPECT_EQ(config->DriverBox->ItemIndex(), drivers - 1); }},
        {"DisplayModeBox", "Tab to it, Home (320 x 200, not 4:3)",
         [&] {
           ASSERT_TRUE(tabTo(config->DisplayModeBox));
           PressKey(VK_HOME);
         },
         [&] {
           EXPECT_EQ(modeShown(), "320x200 8bit");
           EXPECT_TRUE(config->CheckBox1->Enabled());
         }},
        {"DisplayModeBox", "Down until 640 x 480 at 32 bits (4:3)",
         [&] {
           for (int i = 0; i < 40 && modeShown() != "640x480 32bit"; ++i) PressKey(VK_DOWN);
         },
         [&] {
           EXPECT_EQ(modeShown(), "640x480 32bit");
           EXPECT_FALSE(config->CheckBox1->Enabled());
         }},
        {"DisplayModeBox", "Home again",
         [&] { PressKey(VK_HOME); },
         [&] {
           EXPECT_EQ(modeShown(), "320x200 8bit");
           EXPECT_TRUE(config->CheckBox1->Enabled());
         }},
        {"CheckBox1 \"4:3 Surface Aspect Ratio (LCD)\"", "clicked",
         [&] { ClickAt(config->CheckBox1, 6, config->CheckBox1->Height() / 2); },
         [&] { EXPECT_TRUE(config->CheckBox1->Checked()); }},
        {"Button1 \"OK\"", "clicked",
         [&] { ClickOn(config->Button1); },
         [&] {
           EXPECT_EQ(display->Width(), 320);
           EXPECT_EQ(display->Height(), 200);
           EXPECT_EQ(display->BitCount(), 8);
           EXPECT_TRUE(WideScreen43);
           EXPECT_EQ(DriverIndex, drivers - 1);
         }},
    };
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.Control) + ": " + row.Input);
      row.Give();
      row.Effect();
    }
  });
  SendMessageA(form->Handle(), WM_COMMAND, form->Fullscreen1->Command(), 0);
  EXPECT_TRUE(ran);
  // OK closed the dialog, and the menu command freed it.
  EXPECT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
  DriverIndex = 0;
  WideScreen43 = false;
}

}  // namespace
