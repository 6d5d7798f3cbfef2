// TRadioGroup: a framed group with a caption holding one radio button per line of
// Items, laid out in Columns (filled top to bottom, then left to right). ItemIndex is
// the checked button (-1: none); a change of it, by a click or by the program, raises
// OnClick (outside the loading bracket).
#pragma once

#include <vector>

#include "forms/controls/CheckBox.h"
#include "forms/windows/Controls.h"
#include "forms/windows/ParentFont.h"
#include "forms/core/StringList.h"

class TRadioGroup : public TCustomControl, public TParentFontHolder {
public:
  explicit TRadioGroup(TComponent* owner);
  ~TRadioGroup() override;
  void SetParent(TWinControl* parent) override;

  TStringList* Items() { return &items_; }
  int Columns() const { return columns_; }
  void SetColumns(int value);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int value);
  // The button that shows item Index.
  TRadioButton* Buttons(int index) const;

protected:
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void Loaded() override;
  void FontChanged() override;
  void TextChanged() override { Invalidate(); }

private:
  void ItemsChanged(TObject*);
  void ButtonClicked(TObject* sender);
  void UpdateButtons();
  void ArrangeButtons();
  int CaptionHeight();

  TStringList items_;
  std::vector<TRadioButton*> buttons_;
  int columns_ = 1;
  int itemIndex_ = -1;
  bool updating_ = false;
};
