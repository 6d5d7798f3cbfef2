// The Julia preview window driven as a person drives it: keys pressed while it has the
// focus are the main window's (an arrow moves the view, Space switches to the Julia set,
// J closes the preview), and its border dragged with the mouse leaves its size as it is.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "explorer/app/ExplorerState.h"
#include "explorer/render/RenderSettings.h"
#include "tests/explorer/MainWindowFixture.h"
#include "tests/support/UserInput.h"
#include "explorer/juliapreview/JuliaPreviewWindow.h"
#include "forms/windows/Menus.h"

namespace {

class JuliaPreviewInput : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    OpenWindow(640, 480);
    Form1 = form;
    Form6 = New<TForm6>(Application);
  }
  void TearDown() override {
    Form6->Free();
    Form6 = nullptr;
    Form1 = nullptr;
    JuliaMode = 0;
    MainWindowFixture::TearDown();
  }

  // A key pressed in the window that has the focus, once the window is in front.
  void KeyIn(TForm* window, WORD vk) {
    SetForegroundWindow(window->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window->Handle(); }, 5000));
    ASSERT_TRUE(GetFocus() == window->Handle() || IsChild(window->Handle(), GetFocus()));
    PressKey(vk);
    ASSERT_TRUE(Settle());
  }
};

struct Row {
  const char* Input;
  std::function<void()> Give;
  std::function<void()> Effect;
};

TEST_F(JuliaPreviewInput, EveryInputTheWindowTakes) {
  long double left = 0;
  RECT before{};
  const std::vector<Row> rows = {
      {"J in the main window",
       [&] { KeyIn(form, 'J'); },
       [&] {
         EXPECT_TRUE(Form6->Visible());
         EXPECT_TRUE(form->JuliaSetPreviewJ1->Checked());
       }},
      {"Left arrow in the preview",
       [&] {
         left = ViewLeft;
         KeyIn(Form6, VK_LEFT);
       },
       [&] { EXPECT_NE(ViewLeft, left); }},
      {"the bottom-right corner dragged 60 x 40 further",
       [&] {
         GetWindowRect(Form6->Handle(), &before);
         const POINT corner{before.right - 2, before.bottom - 2};
         ASSERT_TRUE(DragFrom(Form6->Handle(), corner, POINT{corner.x + 60, corner.y + 40},
                              [](const std::function<bool()>& done, DWORD ms) { return PumpUntil(done, ms); }));
         ASSERT_TRUE(Settle());
       },
       [&] {
         RECT after;
         GetWindowRect(Form6->Handle(), &after);
         EXPECT_EQ(after.right - after.left, before.right - before.left);
         EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
       }},
      {"Space in the preview",
       [&] { KeyIn(Form6, VK_SPACE); },
       [&] { EXPECT_NE(JuliaMode, 0); }},
      {"J in the preview",
       [&] { KeyIn(Form6, 'J'); },
       [&] {
         EXPECT_FALSE(Form6->Visible());
         EXPECT_FALSE(form->JuliaSetPreviewJ1->Checked());
         EXPECT_FALSE(form->JuliaSetPreviewJ2->Checked());
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Input);
    row.Give();
    row.Effect();
  }
}

}  // namespace
