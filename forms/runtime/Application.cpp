// TApplication: the hidden application window and its hooks, the message loop with
// the idle slot, form creation and the default exception handler. The library's
// start-up makes the application object and the screen.
#include "forms/runtime/Application.h"

#include <algorithm>

#include "forms/windows/Controls.h"
#include "forms/windows/Forms.h"
#include "forms/dialogs/Responder.h"
#include "forms/runtime/Thread.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
const char kAppClassName[] = "TApplication";

// Called on a worker thread: it must not make the window (that would belong to the worker).
void WakeApplication() {
  if (Application && Application->HandleAllocated()) PostMessageA(Application->Handle(), WM_NULL, 0, 0);
  else PostThreadMessageA(MainThreadID, WM_NULL, 0, 0);
}

struct LibraryStart {
  LibraryStart() {
    Application = new TApplication(nullptr);
    Screen = new TScreen(nullptr);
    WakeMainThread = &WakeApplication;
  }
} libraryStart;
}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = ExtractFileName(path);
  title_ = ChangeFileExt(name, "");
}

TApplication::~TApplication() {
  // The forms go first (their windows' last messages may still reach this object).
  while (ComponentCount() > 0) Components(ComponentCount() - 1)->Free();
  if (handle_) {
    HWND window = handle_;
    handle_ = nullptr;
    DestroyWindow(window);
  }
}

LRESULT CALLBACK TApplication::AppWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Application || Application->handle_ != window) return DefWindowProcA(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    Application->WndProc(message);
  } catch (...) {
    Application->HandleException(Application);
  }
  return message.Result;
}

HWND TApplication::Handle() {
  if (!handle_) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (!GetClassInfoA(instance, kAppClassName, &existing)) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &AppWindowProc;
      wc.hInstance = instance;
      wc.lpszClassName = kAppClassName;
      wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
      if (!RegisterClassA(&wc)) throw EOutOfResources(SWindowClass);
    }
    handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kAppClassName, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, instance, nullptr);
    if (!handle_) throw EOutOfResources(SWindowCreate);
  }
  return handle_;
}

void TApplication::WndProc(TMessage& m) {
  // The last hook added is asked first; a hook may unhook itself while it runs.
  std::vector<TWindowHook> hooks = hooks_;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    // A hook that an earlier one removed (its object may be gone by now) is not called.
    if (std::find(hooks_.begin(), hooks_.end(), *it) == hooks_.end()) continue;
    bool handled = false;
    (*it)(m, handled);
    if (handled) return;
  }
  switch (m.Msg) {
    case WM_ACTIVATEAPP:
      m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
      ActivateChanged(m.WParam != 0);
      break;
    case CM_ACTIVATE:
      if (OnActivate) OnActivate(this);
      break;
    case CM_DEACTIVATE:
      if (OnDeactivate) OnDeactivate(this);
      break;
    case WM_NULL:
      CheckSynchronize();
      break;
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      break;
    default:
      m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
      break;
  }
}

void TApplication::ActivateChanged(bool active) {
  if (active == active_) return;
  active_ = active;
  PostMessageA(Handle(), active ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
}

void TApplication::HookMainWindow(TWindowHook hook) {
  Handle();
  hooks_.push_back(hook);
}

void TApplication::UnhookMainWindow(TWindowHook hook) {
  auto it = std::find(hooks_.rbegin(), hooks_.rend(), hook);
  if (it != hooks_.rend()) hooks_.erase(std::next(it).base());
}

void TApplication::Initialize() { Handle(); }

void TApplication::AddForm(TCustomForm* form) {
  if (!mainForm_) mainForm_ = form;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::Run() {
  Handle();
  if (mainForm_) {
    try {
      mainForm_->Show();
    } catch (...) {
      HandleException(this);
    }
  }
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!msg.hwnd && msg.message == WM_NULL) {  // a worker's wake-up for Synchronize
    CheckSynchronize();
    return true;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle() {
  FreeDeviceContexts();
  bool done = true;
  try {
    if (OnIdle) OnIdle(this, done);
  } catch (...) {
    HandleException(this);
  }
  if (CheckSynchronize()) done = false;
  if (done) WaitMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    if (OnException) OnException(sender, e);
    else ShowException(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    if (OnException) OnException(sender, wrapped);
    else ShowException(wrapped);
  } catch (...) {
    Exception wrapped(std::string("Unknown exception"));
    if (OnException) OnException(sender, wrapped);
    else ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& e) {
  MessageBox(e.Message(), title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner || !FindControl(owner)) owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
  return UserResponder().MessageBox(owner, text, caption, flags);
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->Visible()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->Visible()) ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

void TApplication::BringToFront() {
  if (mainForm_ && mainForm_->HandleAllocated()) SetForegroundWindow(mainForm_->Handle());
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextA(handle_, title.c_str());
}

std::string TApplication::ExeName() const {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}
