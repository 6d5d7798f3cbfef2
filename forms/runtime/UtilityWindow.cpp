// AllocateHWnd and DeallocateHWnd: one window class whose windows keep their method
// in GWLP_USERDATA.
#include "forms/runtime/UtilityWindow.h"

#include "forms/runtime/Application.h"

namespace {

const char kClassName[] = "TPUtilWindow";

LRESULT CALLBACK UtilityWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!method || !*method) return DefWindowProcA(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    (*method)(message);
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return message.Result;
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing{};
  if (!GetClassInfoA(instance, kClassName, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &UtilityWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) throw EOutOfResources(SWindowClass);
  }
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  if (!window) throw EOutOfResources(SWindowCreate);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(method)));
  return window;
}

void DeallocateHWnd(HWND window) {
  if (!window) return;
  auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  delete method;
}
