// Tintary.exe as a user starts it: alone under wine, its window found from another
// process by the caption the explorer looks for, then closed as a user closes it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ChildProcess.h"

namespace {

constexpr char kCaption[] = "Palette Editor v1.2 - [ Untitled ]";

TEST(TintaryAlone, StartsUntitledIsFoundByItsCaptionAndCloses) {
  ASSERT_EQ(nullptr, FindWindowA(nullptr, kCaption)) << "an editor is already running";
  TChildProcess p;
  ASSERT_TRUE(p.Start(std::string("\"") + TINTARY_EXE + "\"")) << GetLastError();
  // Found once shown, and by this process's own.
  HWND window = p.WaitForWindow(kCaption, 30000);
  ASSERT_NE(nullptr, window);
  char text[128] = "";
  ASSERT_GT(GetWindowTextA(window, text, sizeof text), 0);
  EXPECT_STREQ(kCaption, text);
  // A single-border window of 328 x 355 client pixels with a menu bar.
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(328, client.right);
  EXPECT_EQ(355, client.bottom);
  EXPECT_NE(nullptr, GetMenu(window));
  EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME);
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_EQ(0u, p.WaitForExit(30000));
}

}  // namespace
