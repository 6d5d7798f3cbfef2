// TButton: a push button. A click sets the form's ModalResult to the button's own when
// that is not mrNone (which ends a modal form), then raises OnClick. Enter clicks the
// form's Default button and Escape its Cancel button (DialogKeys.h).
#pragma once

#include "forms/windows/Forms.h"
#include "forms/controls/SystemControl.h"

class TButton : public TSystemControl {
public:
  explicit TButton(TComponent* owner);

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

  // What a mouse click does: the modal result, then OnClick.
  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CNCommand(TMessage& m) override;

private:
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
};
