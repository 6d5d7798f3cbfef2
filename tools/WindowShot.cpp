// WindowShot: what tools/screenshots needs from inside the Wine desktop, one step a call.
//   WindowShot wait  <caption>              waits (30 s at most) for the window
//   WindowShot keys  <caption> <key>...     brings it to the front and types the keys
//                                           (alt, down, right, return, escape)
//   WindowShot shot  <caption> <file.bmp>   saves the window, frame included, as on screen
//   WindowShot close <caption>              asks it to close
// <caption> is the start of a visible top-level window's caption. Exit code 0 on success,
// 1 with a line on standard error otherwise.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TSearch {
  std::string Prefix;
  HWND Window = nullptr;
};

BOOL CALLBACK MatchCaption(HWND w, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  char title[256] = "";
  GetWindowTextA(w, title, sizeof title);
  if (!IsWindowVisible(w) || std::strncmp(title, search->Prefix.c_str(), search->Prefix.size()) != 0)
    return TRUE;
  search->Window = w;
  return FALSE;
}

HWND FindCaption(const std::string& prefix, DWORD timeoutMs) {
  TSearch search{prefix};
  const DWORD start = GetTickCount();
  for (;;) {
    EnumWindows(&MatchCaption, reinterpret_cast<LPARAM>(&search));
    if (search.Window || GetTickCount() - start >= timeoutMs) return search.Window;
    Sleep(100);
  }
}

WORD KeyCode(const std::string& name) {
  if (name == "alt") return VK_MENU;
  if (name == "down") return VK_DOWN;
  if (name == "right") return VK_RIGHT;
  if (name == "return") return VK_RETURN;
  if (name == "escape") return VK_ESCAPE;
  return 0;
}

bool Press(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  const bool sent = SendInput(2, in, sizeof in[0]) == 2;
  Sleep(150);  // the menu opens before the next key arrives
  return sent;
}

bool SaveWindow(HWND window, const char* path) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (dib) {
    HGDIOBJ old = SelectObject(memory, dib);
    if (BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY)) {
      GdiFlush();
      BITMAPFILEHEADER fh{};
      fh.bfType = 0x4D42;
      fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
      const DWORD bytes = DWORD(width) * DWORD(height) * 4;
      fh.bfSize = fh.bfOffBits + bytes;
      if (FILE* f = std::fopen(path, "wb")) {
        saved = std::fwrite(&fh, sizeof fh, 1, f) == 1 &&
                std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
                std::fwrite(bits, bytes, 1, f) == 1;
        saved = std::fclose(f) == 0 && saved;
      }
    }
    SelectObject(memory, old);
    DeleteObject(dib);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "WindowShot: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: WindowShot wait|keys|shot|close <caption> [...]");
  const std::string step = argv[1], caption = argv[2];
  HWND window = FindCaption(caption, step == "wait" ? 30000 : 2000);
  if (!window) return Fail("no window \"" + caption + "\"");
  if (step == "wait") return 0;
  if (step == "keys") {
    SetForegroundWindow(window);
    Sleep(300);
    for (int i = 3; i < argc; ++i) {
      const WORD vk = KeyCode(argv[i]);
      if (!vk) return Fail(std::string("unknown key ") + argv[i]);
      if (!Press(vk)) return Fail("SendInput refused the key " + std::string(argv[i]));
    }
    return 0;
  }
  if (step == "shot") {
    if (argc != 4) return Fail("shot needs a file");
    return SaveWindow(window, argv[3]) ? 0 : Fail(std::string("cannot save ") + argv[3]);
  }
  if (step == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : Fail("WM_CLOSE not posted");
  return Fail("unknown step " + step);
}
