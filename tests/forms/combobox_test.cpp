// TComboBox under wine with real messages: the drop-down list (items with their
// objects, the choice by the program and by the keyboard) and the editable drop-down
// (text typed into its field, limited by MaxLength), with OnChange for the user's
// changes only.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "forms/controls/ComboBox.h"
#include "forms/windows/Forms.h"

namespace {

class TComboForm : public TForm {
public:
  explicit TComboForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetBounds(40, 40, 300, 200);
    list = new TComboBox(this);
    list->SetParent(this);
    list->SetStyle(csDropDownList);
    list->SetBounds(8, 8, 200, 21);
    list->OnChange = MakeEvent(this, &TComboForm::Changed);
    edit = new TComboBox(this);
    edit->SetParent(this);
    edit->SetBounds(8, 40, 200, 21);
    edit->SetMaxLength(5);
    edit->OnChange = MakeEvent(this, &TComboForm::Changed);
    loader.Finish();
  }
  TComboBox* list;
  TComboBox* edit;
  std::vector<TObject*> changes;

private:
  void Changed(TObject* sender) { changes.push_back(sender); }
};

struct FormFree {
  void operator()(TObject* o) const { o->Free(); }
};

int Tags[3];

TEST(ComboBox, DropDownListKeepsItemsObjectsAndChoiceWithAndWithoutWindow) {
  std::unique_ptr<TComboForm, FormFree> form(New<TComboForm>(nullptr));
  TComboBox* list = form->list;
  for (int i = 0; i < 3; ++i) list->Items()->AddObject("mode " + std::to_string(i), &Tags[i]);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Text(), "");
  list->SetItemIndex(1);
  form->Show();
  PumpFor(20);
  EXPECT_EQ(SendMessageA(list->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Text(), "mode 1");
  EXPECT_EQ(list->Items()->Objects(list->ItemIndex()), &Tags[1]);
  // Out of range chooses nothing; the program's choices raise nothing.
  list->SetItemIndex(7);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetItemIndex(2);
  EXPECT_EQ(list->Text(), "mode 2");
  EXPECT_TRUE(form->changes.empty());
  // The field is as high as one line; the dropped list has room below it.
  EXPECT_EQ(list->Height(), [&] {
    RECT r;
    GetWindowRect(list->Handle(), &r);
    return int(r.bottom - r.top);
  }());
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(list->Handle(), &info));
  SendMessageA(list->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  PumpFor(20);
  RECT dropped;
  GetWindowRect(info.hwndList, &dropped);
  const int itemHeight = static_cast<int>(SendMessageA(list->Handle(), CB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(dropped.bottom - dropped.top, 3 * itemHeight);
  SendMessageA(list->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  // A new list keeps no choice.
  list->Items()->Clear();
  list->Items()->Add("only");
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(SendMessageA(list->Handle(), CB_GETCOUNT, 0, 0), 1);
}

TEST(ComboBox, KeyboardChoiceRaisesOnChange) {
  std::unique_ptr<TComboForm, FormFree> form(New<TComboForm>(nullptr));
  for (const char* item : {"a", "b", "c"}) form->list->Items()->Add(item);
  form->list->SetItemIndex(0);
  form->Show();
  form->list->SetFocus();
  PumpFor(20);
  SendMessageA(form->list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  PumpFor(20);
  EXPECT_EQ(form->list->ItemIndex(), 1);
  ASSERT_EQ(form->changes.size(), 1u);
  EXPECT_EQ(form->changes[0], form->list);
}

TEST(ComboBox, EditableDropDownTakesTypedTextUpToMaxLength) {
  std::unique_ptr<TComboForm, FormFree> form(New<TComboForm>(nullptr));
  TComboBox* edit = form->edit;
  edit->SetText("ab");
  EXPECT_EQ(edit->Text(), "ab");
  form->Show();
  PumpFor(20);
  EXPECT_EQ(edit->Text(), "ab");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(edit->Handle(), &info));
  ASSERT_TRUE(info.hwndItem);
  SendMessageA(info.hwndItem, EM_SETSEL, 2, 2);
  for (char c : std::string("cdefg")) SendMessageA(info.hwndItem, WM_CHAR, c, 0);
  PumpFor(20);
  EXPECT_EQ(edit->Text(), "abcde");
  // At least one per character taken (Wine's field also reports the refused ones).
  EXPECT_GE(form->changes.size(), 3u);
  // The program's text is not limited and raises nothing.
  form->changes.clear();
  edit->SetText("longer text");
  EXPECT_EQ(edit->Text(), "longer text");
  EXPECT_TRUE(form->changes.empty());
}

}  // namespace
