// DialogKey: finds the buttons and tab stops of the target's form.
#include "forms/windows/DialogKeys.h"

#include <vector>

#include "forms/controls/Button.h"
#include "forms/windows/Forms.h"

namespace {

bool Usable(TControl* c) {
  for (TControl* p = c; p; p = p->Parent())
    if (!p->Visible() || !p->Enabled()) return false;
  return true;
}

// Depth first, in the order the controls were put on their parents.
void Collect(TWinControl* parent, std::vector<TWinControl*>& out) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (!w || dynamic_cast<TCustomForm*>(w)) continue;
    out.push_back(w);
    Collect(w, out);
  }
}

TButton* FindButton(TCustomForm* form, bool isDefault) {
  std::vector<TWinControl*> all;
  Collect(form, all);
  for (TWinControl* w : all)
    if (auto* b = dynamic_cast<TButton*>(w))
      if ((isDefault ? b->Default() : b->Cancel()) && Usable(b)) return b;
  return nullptr;
}

bool MoveFocus(TCustomForm* form, TWinControl* from, bool forward) {
  std::vector<TWinControl*> all, stops;
  Collect(form, all);
  for (TWinControl* w : all)
    if (w->TabStop() && Usable(w) && w->HandleAllocated()) stops.push_back(w);
  if (stops.empty()) return false;
  int at = -1;
  for (size_t i = 0; i < stops.size(); ++i)
    if (stops[i] == from) at = static_cast<int>(i);
  int n = static_cast<int>(stops.size());
  int next = at < 0 ? (forward ? 0 : n - 1) : (at + (forward ? 1 : n - 1)) % n;
  stops[next]->SetFocus();
  return true;
}

void DropCharacter(HWND window, WORD key) {
  char expected = key == VK_RETURN ? '\r' : key == VK_ESCAPE ? '\x1b' : '\t';
  MSG msg;
  if (PeekMessageA(&msg, window, WM_CHAR, WM_CHAR, PM_NOREMOVE) && msg.wParam == static_cast<WPARAM>(expected))
    PeekMessageA(&msg, window, WM_CHAR, WM_CHAR, PM_REMOVE);
}

}  // namespace

bool DialogKey(TWinControl* target, WORD key) {
  if (key != VK_RETURN && key != VK_ESCAPE && key != VK_TAB) return false;
  if (GetKeyState(VK_MENU) < 0 || GetKeyState(VK_CONTROL) < 0) return false;
  TCustomForm* form = GetParentForm(target);
  if (!form) return false;
  HWND window = target->Handle();
  LRESULT wants = target->Perform(WM_GETDLGCODE, key, 0);
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) {
    if (key != VK_ESCAPE) return false;
  }
  bool used = false;
  switch (key) {
    case VK_RETURN: {
      TButton* button = dynamic_cast<TButton*>(target);
      if (!button) button = FindButton(form, true);
      if (button) {
        button->Click();
        used = true;
      }
      break;
    }
    case VK_ESCAPE:
      if (TButton* button = FindButton(form, false)) {
        button->Click();
        used = true;
      }
      break;
    case VK_TAB:
      if (wants & DLGC_WANTTAB) return false;
      used = MoveFocus(form, target == form ? nullptr : target, GetKeyState(VK_SHIFT) >= 0);
      break;
  }
  // The target may be gone now (a click that freed the form): its handle is enough.
  if (used && IsWindow(window)) DropCharacter(window, key);
  return used;
}
