// The real Quorvel.exe under wine: started as a user would, it renders the default view
// (the caption tells when), shows the Mandelbrot set (a screenshot: inside black, every
// other pixel a colour of the default slopes), and writes its settings file when closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TestSupport.h"

namespace {

// This test's own folder.
std::string TestFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of("\\/") + 1);
}

// The folder of the explorer under test, with its trailing separator: the build's own, or
// the one QV_QUORVEL_DIR names (an unpacked package).
std::string ProgramFolder() {
  char dir[MAX_PATH] = "";
  const DWORD n = GetEnvironmentVariableA("QV_QUORVEL_DIR", dir, MAX_PATH);
  std::string s = n > 0 && n < MAX_PATH ? std::string(dir) : std::string(QV_QUORVEL_DIR);
  if (s.back() != '\\' && s.back() != '/') s += '\\';
  return s;
}

// The window's client area as it is on the screen, 32 bits per pixel, top row first.
std::vector<std::uint32_t> Screenshot(HWND window, int& width, int& height) {
  RECT client;
  GetClientRect(window, &client);
  width = client.right;
  height = client.bottom;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::vector<std::uint32_t> pixels(size_t(width) * height);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib) {
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * 4);
    SelectObject(memory, old);
    // Kept beside the test for a person to look at.
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + DWORD(pixels.size() * 4);
    if (FILE* f = std::fopen((TestFolder() + "quorvel-e2e.bmp").c_str(), "wb")) {
      std::fwrite(&fh, sizeof fh, 1, f);
      std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
      std::fwrite(pixels.data(), 4, pixels.size(), f);
      std::fclose(f);
    }
    DeleteObject(dib);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// One run of the explorer: started with the given arguments, its window once the first
// render has set the caption, and its end after WM_CLOSE.
class TExplorerRun {
public:
  explicit TExplorerRun(const std::string& arguments) {
    const std::string bin = ProgramFolder();
    started_ = process_.Start("\"" + bin + "Quorvel.exe\"" + (arguments.empty() ? "" : " " + arguments), bin);
  }
  bool Started() const { return started_; }

  // The main window once its caption shows the render time; nil after 60 s.
  HWND WaitForRender() {
    return process_.WaitForWindow(
        [](const std::string& caption) { return caption.rfind("Quorvel - Rend.Time: ", 0) == 0; }, 60000);
  }

  // Closes the window; the process's exit code, or -1 when it did not end in timeoutMs.
  long Close(HWND window, DWORD timeoutMs = 30000) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    const DWORD code = process_.WaitForExit(timeoutMs);
    return code == TChildProcess::NotEnded ? -1 : long(code);
  }

private:
  TChildProcess process_;
  bool started_ = false;
};

// The keys of the settings file in the order they stand in it.
std::vector<std::string> SettingsKeys(const std::string& path) {
  std::istringstream lines(ReadFileText(path));
  std::string line;
  std::vector<std::string> keys;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

const std::vector<std::string> WrittenKeys = {"[Settings]",  "BufferinSysMem", "Force43window",
                                              "InvertRectinSelection", "EnableVsync", "ShowFPS",
                                              "MultiThreading"};

TEST(Quorvel, StartsRendersTheSetAndWritesItsSettingsAtClose) {
  const std::string ini = ProgramFolder() + "quorvel.ini";
  DeleteFileA(ini.c_str());
  TExplorerRun run("");
  ASSERT_TRUE(run.Started()) << GetLastError();
  HWND window = run.WaitForRender();
  ASSERT_NE(window, nullptr) << "no render caption within 60 s";
  Sleep(300);  // the last presentation reaches the screen

  int w = 0, h = 0;
  const std::vector<std::uint32_t> shot = Screenshot(window, w, h);
  ASSERT_GT(w, 255);
  ASSERT_GT(h, 191);
  auto rgb = [&](int x, int y) { return shot[size_t(y) * w + x] & 0xFFFFFF; };

  // Every colour of the default slopes: count n gives red 8n, green 16n, blue 24n (low
  // bytes), shown as 0x00RRGGBB; n = 0 (and the inside) is black.
  std::set<std::uint32_t> slopeColours;
  for (unsigned n = 0; n < 32; ++n)
    slopeColours.insert((8 * n & 255) << 16 | (16 * n & 255) << 8 | (24 * n & 255));
  size_t black = 0, foreign = 0;
  for (std::uint32_t p : shot) {
    p &= 0xFFFFFF;
    if (p == 0) ++black;
    if (!slopeColours.count(p)) ++foreign;
  }
  EXPECT_EQ(foreign, 0u) << "pixels in colours the slopes do not give";
  EXPECT_GT(black, shot.size() / 10) << "the set's inside is black";
  EXPECT_LT(black, shot.size() / 2);

  // The top-left pixel is the plane point (-2.4, 1.2), outside after one iteration.
  EXPECT_EQ(rgb(0, 0), 0x081018u);
  // (-0.2, 0) lies in the main cardioid: with square pixels of 2.4 / h.
  const double step = 2.4 / h;
  EXPECT_EQ(rgb(int(2.2 / step), int(1.2 / step)), 0u);
  // (0.4, 1.0) and (-2.2, -1.0) lie well outside.
  EXPECT_NE(rgb(int(2.8 / step), int(0.2 / step)), 0u);
  EXPECT_NE(rgb(int(0.2 / step), int(2.2 / step)), 0u);

  EXPECT_EQ(run.Close(window), 0);
  EXPECT_EQ(SettingsKeys(ini), WrittenKeys) << ReadFileText(ini);
}

TEST(Quorvel, StartsWithAParameterFileArgument) {
  // The argument is the registered open command's way of passing a file: start-up opens
  // it and renders the view it holds.
  TExplorerRun run("\"" QV_TEST_DATA "/qvl/seeds/view.qvl\"");
  ASSERT_TRUE(run.Started()) << GetLastError();
  HWND window = run.WaitForRender();
  ASSERT_NE(window, nullptr) << "no render caption within 60 s";
  EXPECT_EQ(run.Close(window), 0);
}

// Wine reports the Windows version of a program from its per-program settings.
class TWindowsVersionFor {
public:
  TWindowsVersionFor(const char* program, const char* version)
      : key_(std::string("Software\\Wine\\AppDefaults\\") + program) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
      return;
    ok_ = RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                         DWORD(std::strlen(version) + 1)) == ERROR_SUCCESS;
    RegCloseKey(k);
  }
  ~TWindowsVersionFor() { RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }
  bool Ok() const { return ok_; }

private:
  std::string key_;
  bool ok_ = false;
};

std::string SettingValue(const std::string& ini, const char* key) {
  char value[32] = "";
  GetPrivateProfileStringA("Settings", key, "?", value, sizeof value, ini.c_str());
  return value;
}

TEST(Quorvel, BufferInSystemMemoryStartsOnFromWindows62) {
  const std::string ini = ProgramFolder() + "quorvel.ini";
  for (const char* version : {"win8", "win7"}) {
    DeleteFileA(ini.c_str());
    TWindowsVersionFor as("Quorvel.exe", version);
    ASSERT_TRUE(as.Ok());
    TExplorerRun run("");
    ASSERT_TRUE(run.Started()) << GetLastError();
    HWND window = run.WaitForRender();
    ASSERT_NE(window, nullptr) << version;
    EXPECT_EQ(run.Close(window), 0);
    // Windows 8 is NT 6.2; Windows 7 is 6.1.
    EXPECT_EQ(SettingValue(ini, "BufferinSysMem"), std::string(version) == "win8" ? "1" : "0")
        << version;
  }
}

// A user's keys and mouse, through the system's input queue to the foreground window.
void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
  Sleep(30);
}

void Press(WORD vk) {
  Key(vk, false);
  Key(vk, true);
}

void ClickAt(POINT p) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = LONG(p.x * 65535.0 / (w - 1));
  move.mi.dy = LONG(p.y * 65535.0 / (h - 1));
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
  // The pointer reaches its place through the X server; a click sent with the move can
  // land where the pointer was before.
  POINT at{-1, -1};
  for (int i = 0; i < 100 && GetCursorPos(&at) && (at.x != p.x || at.y != p.y); ++i) Sleep(20);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof click[0]);
  Sleep(100);
}

struct TTitled {
  DWORD ProcessId;
  const char* Title;
  HWND Window;
};

BOOL CALLBACK FindTitled(HWND w, LPARAM data) {
  auto* found = reinterpret_cast<TTitled*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char title[256] = "";
  GetWindowTextA(w, title, sizeof title);
  if (pid != found->ProcessId || !IsWindowVisible(w) || std::string(title) != found->Title)
    return TRUE;
  found->Window = w;
  return FALSE;
}

size_t BlackPixels(HWND window) {
  int w = 0, h = 0;
  size_t black = 0;
  for (std::uint32_t p : Screenshot(window, w, h)) black += (p & 0xFFFFFF) == 0;
  return black;
}

// Opens the parameters window by the keyboard's menu keys ("Settings", its first item).
HWND OpenParameters(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  SetForegroundWindow(window);
  Sleep(200);
  Press(VK_MENU);
  Press(VK_RIGHT);
  Press(VK_DOWN);
  Press(VK_RETURN);
  TTitled params{pid, "Parameters - Mandelbrot set", nullptr};
  for (int i = 0; i < 100 && !params.Window; ++i) {
    EnumWindows(&FindTitled, reinterpret_cast<LPARAM>(&params));
    if (!params.Window) Sleep(50);
  }
  return params.Window;
}

// Types a new iteration limit into the parameters window's field ("Max. iteration", at
// the top, right of its label), reached with the mouse, the old limit selected and typed
// over, and presses Enter (the field makes OK the default button).
void TypeIterationLimit(HWND params, const std::string& limit) {
  POINT field{144, 20};
  ClientToScreen(params, &field);
  ClickAt(field);
  Press(VK_END);
  Key(VK_SHIFT, false);
  Press(VK_HOME);
  Key(VK_SHIFT, true);
  for (char c : limit) Press(static_cast<WORD>(c));
  Press(VK_RETURN);
}

TEST(Quorvel, ClosedDuringARenderAtTheHighestLimitItEndsPromptly) {
  // Every worker is then inside one kernel call of many seconds, whose result nobody
  // would see.
  DeleteFileA((ProgramFolder() + "quorvel.ini").c_str());
  TExplorerRun run("");
  ASSERT_TRUE(run.Started()) << GetLastError();
  HWND window = run.WaitForRender();
  ASSERT_NE(window, nullptr) << "no render caption within 60 s";
  HWND params = OpenParameters(window);
  ASSERT_NE(params, nullptr) << "the parameters window did not open";
  // The x87 kernel, the slowest: "SSE2" clicked off (the start-up choice on this
  // processor), so that one call of the limit lasts many seconds.
  POINT sse2{214, 37};
  ClientToScreen(params, &sse2);
  ClickAt(sse2);
  TypeIterationLimit(params, "2147483647");
  Sleep(3000);
  const DWORD start = GetTickCount();
  EXPECT_EQ(run.Close(window, 30000), 0) << "the explorer did not end within 30 s";
  EXPECT_LT(GetTickCount() - start, 5000u) << "closing waited for the kernel calls";
}

TEST(Quorvel, ANewIterationLimitTypedInTheParametersWindowRendersAgain) {
  DeleteFileA((ProgramFolder() + "quorvel.ini").c_str());
  TExplorerRun run("");
  ASSERT_TRUE(run.Started()) << GetLastError();
  HWND window = run.WaitForRender();
  ASSERT_NE(window, nullptr) << "no render caption within 60 s";
  Sleep(300);
  const size_t blackBefore = BlackPixels(window);
  HWND params = OpenParameters(window);
  ASSERT_NE(params, nullptr) << "the parameters window did not open";
  TypeIterationLimit(params, "12");
  Sleep(500);
  // Alt+F4 closes the parameters window, which stands over the picture.
  Key(VK_MENU, false);
  Press(VK_F4);
  Key(VK_MENU, true);

  // With 12 iterations every point that needs more counts as inside: the black area
  // grows, and the outside keeps the slope colours of counts below 12.
  size_t blackAfter = blackBefore;
  for (int i = 0; i < 200 && blackAfter <= blackBefore * 6 / 5; ++i) {
    Sleep(100);
    blackAfter = BlackPixels(window);
  }
  EXPECT_GT(blackAfter, blackBefore * 6 / 5) << blackBefore;
  int w = 0, h = 0;
  const std::vector<std::uint32_t> shot = Screenshot(window, w, h);
  std::set<std::uint32_t> slopeColours;
  for (unsigned n = 0; n < 12; ++n)
    slopeColours.insert((8 * n & 255) << 16 | (16 * n & 255) << 8 | (24 * n & 255));
  size_t foreign = 0;
  for (std::uint32_t p : shot) foreign += !slopeColours.count(p & 0xFFFFFF);
  EXPECT_EQ(foreign, 0u) << "pixels of counts of 12 or more";
  EXPECT_EQ(run.Close(window), 0);
}

}  // namespace
