// TCustomEdit and TEdit: a text field over the system's EDIT class. Text is the
// window's text; OnChange follows every change of it, by the user or by the program
// (not while the form is being loaded). The spin edit and the memo build on it.
#pragma once

#include <string>

#include "forms/controls/SystemControl.h"

class TCustomEdit : public TSystemControl {
public:
  explicit TCustomEdit(TComponent* owner);

  std::string Text() const;
  void SetText(const std::string& text);
  // 0: no limit. It limits what the user types, not what the program sets.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  void SelectAll();
  int SelStart();
  int SelLength();
  void SetSelStart(int value);
  void SetSelLength(int value);

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& m) override;
  void TextChanged() override;
  virtual void Change();

private:
  void SyncFromWindow();

  int maxLength_ = 0;
  bool readOnly_ = false;
  bool syncing_ = false;
  unsigned changes_ = 0;  // EN_CHANGE notifications seen, to tell whether one came
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
};
