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

namespace {

std::string BinFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of("\\/") + 1);
}

struct TFound {
  DWORD ProcessId;
  HWND Window;
};

BOOL CALLBACK FindRendered(HWND w, LPARAM data) {
  auto* found = reinterpret_cast<TFound*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != found->ProcessId || !IsWindowVisible(w)) return TRUE;
  char title[256] = "";
  GetWindowTextA(w, title, sizeof title);
  if (std::string(title).rfind("Quorvel - Rend.Time: ", 0) != 0) return TRUE;
  found->Window = w;
  return FALSE;
}

std::string ReadText(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
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
    if (FILE* f = std::fopen((BinFolder() + "quorvel-e2e.bmp").c_str(), "wb")) {
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

TEST(Quorvel, StartsRendersTheSetAndWritesItsSettingsAtClose) {
  const std::string bin = BinFolder();
  const std::string ini = bin + "quorvel.ini";
  DeleteFileA(ini.c_str());

  std::string command = "\"" + bin + "Quorvel.exe\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                             bin.c_str(), &si, &pi))
      << GetLastError();

  TFound found{pi.dwProcessId, nullptr};
  const DWORD start = GetTickCount();
  while (!found.Window && GetTickCount() - start < 60000) {
    EnumWindows(&FindRendered, reinterpret_cast<LPARAM>(&found));
    if (!found.Window) Sleep(50);
  }
  ASSERT_NE(found.Window, nullptr) << "no render caption within 60 s";
  Sleep(300);  // the last presentation reaches the screen

  int w = 0, h = 0;
  const std::vector<std::uint32_t> shot = Screenshot(found.Window, w, h);
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

  PostMessageA(found.Window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0) << "the explorer did not end";
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  const std::string text = ReadText(ini);
  std::istringstream lines(text);
  std::string line;
  std::vector<std::string> keys;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    keys.push_back(line.substr(0, line.find('=')));
  }
  const std::vector<std::string> expected = {"[Settings]",  "BufferinSysMem", "Force43window",
                                             "InvertRectinSelection", "EnableVsync", "ShowFPS",
                                             "MultiThreading"};
  EXPECT_EQ(keys, expected) << text;
}

}  // namespace
