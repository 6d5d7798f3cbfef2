// Helpers of the windowed tests: the one message pump, which runs the application's loop
// until a condition holds or a deadline passes, and a responder that answers message
// boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/runtime/Application.h"
#include "forms/runtime/Thread.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/dialogs/Responder.h"

// The application's loop until done() or the deadline; returns done(). Each turn
// handles the queued messages, then does what the loop does when the queue is empty:
// the idle handler (the frame timer's work) and the calls other threads synchronise;
// only when those have nothing more to do does it wait a little for input.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Application->ProcessMessages();
    bool idleDone = true;
    if (Application->OnIdle) Application->OnIdle(Application, idleDone);
    if (CheckSynchronize()) idleDone = false;
    if (idleDone) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

// Records every message box and answers with Answer.
class TRecordingResponder : public TUserResponder {
public:
  struct Box {
    std::string text, caption;
    UINT flags;
  };
  std::vector<Box> boxes;
  int answer = IDOK;

  TRecordingResponder() { previous_ = SetUserResponder(this); }
  ~TRecordingResponder() override { SetUserResponder(previous_); }
  int MessageBox(HWND, const std::string& text, const std::string& caption, UINT flags) override {
    boxes.push_back({text, caption, flags});
    return answer;
  }

private:
  TUserResponder* previous_;
};

// Answers the file dialog with a name, as a user who types one and confirms.
class TFileAnswer : public TRecordingResponder {
public:
  std::string name;
  bool ExecuteDialog(TCommonDialog& dialog, HWND) override {
    auto* open = dynamic_cast<TOpenDialog*>(&dialog);
    if (!open) return false;
    open->FileName = name;
    return true;
  }
};
