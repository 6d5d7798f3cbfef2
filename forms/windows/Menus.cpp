// Menu items, the menu bar and popup menus. A menu's system handle is built from its
// items on first use and built again after every change, which keeps the items the
// only state; menus are small.
#include "forms/windows/Menus.h"

#include <algorithm>
#include <map>

#include "forms/runtime/Application.h"
#include "forms/windows/Forms.h"

namespace {

std::map<WORD, TMenuItem*>& Commands() {
  static std::map<WORD, TMenuItem*> commands;
  return commands;
}

WORD NewCommand(TMenuItem* item) {
  static WORD next = 100;
  auto& commands = Commands();
  while (next < 100 || commands.count(next)) ++next;
  commands[next] = item;
  return next++;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NewCommand(this)) {}

TMenuItem::~TMenuItem() {
  Commands().erase(command_);
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    child->Free();
  }
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::FindCommand(WORD command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

bool TMenuItem::DispatchCommand(WORD command) {
  TMenuItem* item = FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetRightJustify(bool value) {
  if (value == rightJustify_) return;
  rightJustify_ = value;
  Changed();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(SMenuIndexError);
  return items_[index];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) throw EInvalidOperation(SMenuReinserted);
  if (index < 0 || index > Count()) throw EListError(SMenuIndexError);
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Rebuild();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Rebuild();
}

void TMenuItem::Delete(int index) { Remove(Items(index)); }

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu* TMenuItem::OwningMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

HMENU TMenuItem::Handle() {
  if (TMenu* menu = OwningMenu()) menu->Handle();
  return handle_;
}

void TMenuItem::Changed() { Rebuild(); }

void TMenuItem::Rebuild() {
  TMenu* menu = OwningMenu();
  if (menu && menu->handle_ && !menu->ComponentState().Contains(csDestroying)) menu->Rebuild();
}

void TMenuItem::AppendTo(HMENU menu, bool menuBar) {
  handle_ = nullptr;
  if (!visible_) return;
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  if (caption_ == "-") {
    mii.fMask = MIIM_FTYPE | MIIM_ID;
    mii.fType = MFT_SEPARATOR;
  } else {
    mii.fType = MFT_STRING;
    if (rightJustify_ && menuBar) mii.fType |= MFT_RIGHTJUSTIFY;
  }
  mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED);
  mii.wID = command_;
  mii.dwTypeData = const_cast<char*>(caption_.c_str());
  if (!items_.empty()) {
    handle_ = CreatePopupMenu();
    for (TMenuItem* child : items_) child->AppendTo(handle_, false);
    mii.fMask |= MIIM_SUBMENU;
    mii.hSubMenu = handle_;
  }
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mii);
}

// TMenu.

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() {
  if (handle_) DestroyMenu(handle_);
  handle_ = nullptr;
}

HMENU TMenu::Handle() {
  if (!handle_) Rebuild();
  return handle_;
}

void TMenu::Rebuild() {
  HMENU old = handle_;
  handle_ = CreateMenuHandle();
  items_->handle_ = handle_;
  for (TMenuItem* item : items_->items_) item->AppendTo(handle_, IsMenuBar());
  MenuChanged();
  if (old) DestroyMenu(old);
}

void TMainMenu::MenuChanged() {
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
    if (form->Menu() == this) form->MenuChanged();
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HWND owner = Application->Handle();
  SetForegroundWindow(owner);
  UINT command = TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  if (command) TMenuItem::DispatchCommand(static_cast<WORD>(command));
}
