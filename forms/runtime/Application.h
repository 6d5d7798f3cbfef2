// The application object: the message loop with its single idle slot, the hidden
// application window with its hooks and the activation messages made from
// WM_ACTIVATEAPP, form creation, termination, and the default exception handler.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/core/Component.h"
#include "forms/windows/Messages.h"

class TCustomForm;

// Sender, done: an idle handler sets done to false to be called again at once.
using TIdleEvent = TEvent<TObject*, bool&>;
// A hook on the application window: message, handled (true stops the processing).
using TWindowHook = TEvent<TMessage&, bool&>;
using TExceptionEvent = TEvent<TObject*, const Exception&>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  void Initialize();
  // Creates a form owned by the application and sets Reference before the form's
  // OnCreate runs; the first form created becomes MainForm.
  template <class T>
  void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    AddForm(form);
    try {
      form->AfterConstruction();
    } catch (...) {
      HandleException(this);
    }
  }
  // Shows MainForm and runs the message loop until Terminate (or WM_QUIT).
  void Run();
  // Handles every message in the queue, then returns.
  void ProcessMessages();
  // One message if there is one, else idle processing (which may wait for the next).
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Window hooks see every message of the application window before it; the last
  // added is asked first.
  void HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(TWindowHook hook);

  // Shows an exception as the default handler does (or gives it to OnException); used
  // for everything raised in message handlers, idle handlers and form creation.
  void HandleException(TObject* sender);
  void ShowException(const Exception& e);
  // A message box through the responder, owned by the active form.
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  void Minimize();
  void Restore();
  void BringToFront();

  HWND Handle();  // the hidden application window, made on first use
  bool HandleAllocated() const { return handle_ != nullptr; }
  TCustomForm* MainForm() const { return mainForm_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  bool Active() const { return active_; }
  std::string ExeName() const;

  // The single idle slot: whoever assigns it replaces the handler that was there.
  TIdleEvent OnIdle;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;

  // From forms: WM_ACTIVATEAPP reaches every top-level window of the thread; the first
  // one to report a change posts CM_ACTIVATE or CM_DEACTIVATE to the application window.
  void ActivateChanged(bool active);

  void Notification(TComponent* component, TOperation operation) override;

private:
  void AddForm(TCustomForm* form);
  bool ProcessMessage(MSG& msg);
  void Idle();
  void WndProc(TMessage& message);
  static LRESULT CALLBACK AppWindowProc(HWND, UINT, WPARAM, LPARAM);

  HWND handle_ = nullptr;
  std::vector<TWindowHook> hooks_;
  TCustomForm* mainForm_ = nullptr;
  std::string title_;
  bool terminated_ = false;
  bool active_ = false;
};

// The program's application object: made when the library starts, freed (with the
// forms it owns) by FinalizeUnits (Module.h).
extern TApplication* Application;
