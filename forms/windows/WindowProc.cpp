// The one window procedure of every window of the library: it binds the window to
// its control at the first message (the control waits in a per-thread creation slot
// while CreateWindowEx runs), keeps the binding in GWLP_USERDATA and hands every
// message to the control's WindowProc. Window classes are registered here on first use.
#include <windows.h>

#include "forms/runtime/Application.h"
#include "forms/windows/Controls.h"
#include "forms/windows/HintTip.h"

namespace {
thread_local TWinControl* creatingControl = nullptr;
}  // namespace

LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!control) {
    control = creatingControl;
    if (!control) return DefWindowProcA(window, msg, wParam, lParam);
    creatingControl = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    control->handle_ = window;
  }
  return control->MainWndProc(msg, wParam, lParam);
}

// A window is the library's when its class was registered with this procedure. The
// window's own procedure is no proof: a common control that takes an edit as its buddy
// (the up-down) subclasses it, and the edit's notifications must still reach its control.
TWinControl* FindControl(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  if (GetClassLongPtrA(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&ControlWindowProc))
    return nullptr;
  return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT TWinControl::MainWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) RelayToHintTips(msg, wParam, lParam);
  try {
    WindowProc(message);
  } catch (...) {
    // An exception must not unwind through the system's code that called us.
    Application->HandleException(this);
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    handle_ = nullptr;
    // The tip goes with the window; a new window gets a new one.
    delete hintTip_;
    hintTip_ = nullptr;
  }
  return message.Result;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExA(instance, params.WinClassName.c_str(), &existing)) {
    WNDCLASSEXA wc = params.WindowClass;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ControlWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = params.WinClassName.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExA(&wc)) throw EOutOfResources(SWindowClass);
  }
  defWndProc_ = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : &DefWindowProcA;
  TWinControl* outer = creatingControl;
  creatingControl = this;
  HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                                params.Style, params.X, params.Y, params.Width, params.Height,
                                params.WndParent, nullptr, instance, params.Param);
  creatingControl = outer;
  if (!window) throw EOutOfResources(SWindowCreate);
  // The system may have chosen the place or size (CW_USEDEFAULT, the minimum sizes).
  RECT r;
  GetWindowRect(window, &r);
  if (params.Style & WS_CHILD) MapWindowPoints(nullptr, params.WndParent, reinterpret_cast<POINT*>(&r), 2);
  UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* systemClass) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(nullptr, systemClass, &wc)) throw EOutOfResources(SWindowClass);
  params.WindowClass = wc;
  params.WindowClass.hInstance = nullptr;
  params.WindowClass.lpszClassName = nullptr;
}
