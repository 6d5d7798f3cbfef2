// TComboBox: a drop-down list over the system's COMBOBOX class, either one that can be
// typed into (csDropDown, with MaxLength) or a pure choice (csDropDownList). Items carry
// an object pointer each; ItemIndex is the chosen line (-1: none). OnChange follows the
// user's choice and typing, not the program's assignments.
#pragma once

#include <string>

#include "forms/core/StringList.h"
#include "forms/controls/SystemControl.h"

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TSystemControl {
public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  // Set before the window is made (the form description does).
  void SetStyle(TComboBoxStyle value);
  TStringList* Items() { return &items_; }
  int ItemIndex();
  void SetItemIndex(int value);
  // The edit field's text; for a pure choice the chosen line ("" with none).
  std::string Text();
  void SetText(const std::string& text);
  // 0: no limit. It limits what the user types into csDropDown.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  // Lines shown when the list drops down.

  // The window keeps the room of the dropped list below the visible field.
  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void CNCommand(TMessage& m) override;
  virtual void Change();

private:
  void ItemsChanged(TObject*);
  void LoadItems();
  int ListHeight();

  TStringList items_;
  TComboBoxStyle style_ = csDropDown;
  int itemIndex_ = -1;  // kept while there is no window
  int maxLength_ = 0;
};
