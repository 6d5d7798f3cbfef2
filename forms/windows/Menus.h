// Menus: TMenuItem (caption, check mark, enabling, right justification,
// OnClick reached by the item's command identifier), the menu bar TMainMenu and the
// popup menu TPopupMenu. Items own their sub-items; the system menus are rebuilt from
// the items whenever one changes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/core/Component.h"
#include "forms/core/Events.h"

class TMenu;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // "-" makes a separator; '&' marks the access key.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // In a menu bar: the item and those after it go to the right end (MFT_RIGHTJUSTIFY).
  bool RightJustify() const { return rightJustify_; }
  void SetRightJustify(bool value);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();  // frees the sub-items
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }

  // The identifier of the WM_COMMAND this item sends.
  WORD Command() const { return command_; }
  // The popup handle of an item with sub-items (made on first use).
  HMENU Handle();

  // Runs the click of the item that owns Command; false when no item has it.
  static bool DispatchCommand(WORD command);
  static TMenuItem* FindCommand(WORD command);

  virtual void Click();
  TNotifyEvent OnClick;

private:
  friend class TMenu;
  void Changed();        // the item's own look changed
  void Rebuild();        // the sub-items changed: fill the popup again
  void AppendTo(HMENU menu, bool menuBar);
  TMenu* OwningMenu() const;

  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool rightJustify_ = false;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  WORD command_;
  HMENU handle_ = nullptr;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  TMenuItem* Items() const { return items_; }
  HMENU Handle();
  // Fills the system menu again from the items.
  void Rebuild();

protected:
  virtual HMENU CreateMenuHandle() = 0;
  virtual bool IsMenuBar() const = 0;
  virtual void MenuChanged() {}

private:
  friend class TMenuItem;
  TMenuItem* items_;
  HMENU handle_ = nullptr;
};

class TMainMenu : public TMenu {
public:
  using TMenu::TMenu;

protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
  bool IsMenuBar() const override { return true; }
  void MenuChanged() override;
};

class TPopupMenu : public TMenu {
public:
  using TMenu::TMenu;
  // Shows the menu at a screen position; a chosen item's OnClick runs after it closes.
  void Popup(int x, int y);
  TNotifyEvent OnPopup;

protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
  bool IsMenuBar() const override { return false; }
};
