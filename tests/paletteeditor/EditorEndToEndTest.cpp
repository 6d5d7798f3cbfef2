// Tintary.exe as a user starts it: alone under wine, its window found from another
// process by the caption the explorer looks for, then closed as a user closes it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

constexpr char kCaption[] = "Palette Editor v1.2 - [ Untitled ]";

struct Process {
  PROCESS_INFORMATION info{};
  ~Process() {
    if (info.hProcess) {
      if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
      CloseHandle(info.hProcess);
      CloseHandle(info.hThread);
    }
  }
};

HWND WaitForWindow(const char* caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (HWND w = FindWindowA(nullptr, caption)) return w;
    Sleep(50);
  }
  return nullptr;
}

TEST(TintaryAlone, StartsUntitledIsFoundByItsCaptionAndCloses) {
  ASSERT_EQ(nullptr, FindWindowA(nullptr, kCaption)) << "an editor is already running";
  std::string command = std::string("\"") + TINTARY_EXE + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  Process p;
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &p.info))
      << GetLastError();
  HWND window = WaitForWindow(kCaption, 30000);
  ASSERT_NE(nullptr, window);
  // The caption is set as the window is being shown; it becomes visible right after.
  const DWORD start = GetTickCount();
  while (!IsWindowVisible(window) && GetTickCount() - start < 10000) Sleep(20);
  EXPECT_TRUE(IsWindowVisible(window));
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  EXPECT_EQ(p.info.dwProcessId, owner);
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
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(p.info.hProcess, 30000));
  DWORD code = 1;
  ASSERT_TRUE(GetExitCodeProcess(p.info.hProcess, &code));
  EXPECT_EQ(0u, code);
}

}  // namespace
