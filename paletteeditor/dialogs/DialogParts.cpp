// The tool dialogs' common pieces (see DialogParts.h).
#include "paletteeditor/dialogs/DialogParts.h"

namespace dialog {

void SetUpDialogForm(TForm* form, const std::string& caption, int clientWidth, int clientHeight) {
  form->SetCaption(caption);
  form->SetBorderStyle(bsSingle);
  form->SetBorderIcons(TBorderIcons{biSystemMenu});
  form->SetPosition(poMainFormCenter);
  form->Font()->SetName("Tahoma");
  form->Font()->SetSize(8);
  form->SetClientWidth(clientWidth);
  form->SetClientHeight(clientHeight);
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top) {
  auto* label = new TLabel(owner);
  label->SetParent(parent);
  label->SetLeft(left);
  label->SetTop(top);
  label->SetCaption(caption);
  return label;
}

TSpinEdit* MakeIndexEdit(TComponent* owner, TWinControl* parent, int left, int top, int minValue,
                         int maxValue, int value) {
  auto* edit = new TSpinEdit(owner);
  edit->SetParent(parent);
  edit->SetBounds(left, top, 57, 22);
  edit->SetMaxLength(3);
  edit->SetMinValue(minValue);
  edit->SetMaxValue(maxValue);
  edit->SetValue(value);
  return edit;
}

TButton* MakeButton(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top,
                    TModalResult result) {
  auto* button = new TButton(owner);
  button->SetParent(parent);
  button->SetBounds(left, top, 75, 25);
  button->SetCaption(caption);
  button->SetModalResult(result);
  return button;
}

}  // namespace dialog
