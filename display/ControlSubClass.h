// TControlSubClass: puts a callback in front of another control's window procedure
// for as long as the object lives. The display control hooks its form this way.
#pragma once

#include "forms/windows/Controls.h"

// Callback data, the message, and the procedure that was in place before the hook:
// the callback decides whether and when that runs.
using TControlSubClassProc = void (*)(void* data, TMessage& message, const TWndMethod& previous);

class TControlSubClass : public TObject {
public:
  // Hooks Control at once.
  TControlSubClass(TControl* control, TControlSubClassProc callback, void* callbackData);
  // Gives the control back the window procedure it had before.
  ~TControlSubClass() override;

  TControl* Control() const { return control_; }
  TControlSubClassProc Callback() const { return callback_; }
  void* CallbackData() const { return callbackData_; }

private:
  void WndProc(TMessage& message);

  TControl* control_;
  TWndMethod defWndProc_;
  TControlSubClassProc callback_;
  void* callbackData_;
};
