// Whether a window's texts fit: each caption measured in the font its control draws
// with, against the room the control gives it. The windowed tests of every program call
// TextMisfits on their forms once they are shown, so a text that a real font cuts off
// fails a test instead of waiting for someone to see it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "forms/controls/Button.h"
#include "forms/controls/CheckBox.h"
#include "forms/windows/Controls.h"
#include "forms/controls/Edit.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/Panel.h"
#include "forms/controls/RadioGroup.h"
#include "forms/controls/SpeedButton.h"

struct TTextMisfit {
  std::string where;  // the control's class and text
  int extent;         // the text's width in the control's font
  int room;           // the width the control leaves for it
};

namespace textfit {

// The text as drawn: "&&" shows one ampersand, a single '&' underlines and takes no room.
inline std::string Shown(const std::string& caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

inline int Extent(HFONT font, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  // A glyph may draw past its advance width (the closing bracket of Tahoma does): the
  // ink, not the advance, has to fit.
  ABC abc{};
  const UINT last = text.empty() ? 0u : static_cast<unsigned char>(text.back());
  if (!text.empty() && GetCharABCWidthsA(dc, last, last, &abc) && abc.abcC < 0) size.cx -= abc.abcC;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

// A window control draws with the font it was sent; the others with their own.
inline HFONT FontOf(TControl* control) {
  if (auto* win = dynamic_cast<TWinControl*>(control); win && win->HandleAllocated()) {
    if (auto font = reinterpret_cast<HFONT>(SendMessageA(win->Handle(), WM_GETFONT, 0, 0)))
      return font;
  }
  return static_cast<HFONT>(control->Font()->Handle());
}

inline std::string WindowText(HWND wnd) {
  char text[512] = {};
  GetWindowTextA(wnd, text, sizeof text);
  return text;
}

inline void Check(std::vector<TTextMisfit>& misfits, TControl* control,
                  const std::string& text, HFONT font, int room) {
  if (text.empty() || text == "-") return;
  int extent = Extent(font, Shown(text));
  if (extent > room) {
    misfits.push_back({std::string(typeid(*control).name()) + " \"" + text + "\"", extent, room});
  }
}

// The check box or radio button's box with the gap after it.
inline int MarkWidth() { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }

inline void Walk(std::vector<TTextMisfit>& misfits, TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible()) continue;
    HFONT font = FontOf(c);
    if (auto* label = dynamic_cast<TLabel*>(c)) {
      // An auto-sized label must have taken its text's size, and lie inside its parent.
      int room = std::min(label->Width(), parent->ClientWidth() - label->Left());
      Check(misfits, c, label->Caption(), font, room);
    } else if (dynamic_cast<TButton*>(c)) {
      Check(misfits, c, WindowText(static_cast<TWinControl*>(c)->Handle()), font, c->ClientWidth() - 6);
    } else if (dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c)) {
      Check(misfits, c, WindowText(static_cast<TWinControl*>(c)->Handle()), font,
            c->ClientWidth() - MarkWidth());
    } else if (dynamic_cast<TSpeedButton*>(c)) {
      Check(misfits, c, c->Caption(), font, c->Width() - 4);
    } else if (auto* edit = dynamic_cast<TCustomEdit*>(c)) {
      RECT r{};
      SendMessageA(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
      if (!(GetWindowLongA(edit->Handle(), GWL_STYLE) & (ES_AUTOHSCROLL | ES_MULTILINE)))
        Check(misfits, c, WindowText(edit->Handle()), font, r.right - r.left);
    } else if (dynamic_cast<TRadioGroup*>(c)) {
      Check(misfits, c, c->Caption(), font, c->Width() - 16);
    } else if (dynamic_cast<TPanel*>(c)) {
      Check(misfits, c, c->Caption(), font, c->ClientWidth() - 4);
    }
    if (auto* win = dynamic_cast<TWinControl*>(c)) Walk(misfits, win);
  }
}

}  // namespace textfit

// Every text of the shown form that its control cuts off, and the form's caption when
// its title bar cannot hold it.
inline std::vector<TTextMisfit> TextMisfits(TCustomForm* form) {
  std::vector<TTextMisfit> misfits;
  textfit::Walk(misfits, form);
  HWND wnd = form->Handle();
  if (GetWindowLongA(wnd, GWL_STYLE) & WS_CAPTION) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    RECT window{};
    GetWindowRect(wnd, &window);
    // The icon at the left, the close button (and minimise and maximise where the window
    // has them) at the right, the frame on both sides.
    LONG style = GetWindowLongA(wnd, GWL_STYLE);
    int buttons = !(style & WS_SYSMENU) ? 0 : (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) ? 3 : 1;
    int room = (window.right - window.left) - 2 * GetSystemMetrics(SM_CXFRAME) -
               GetSystemMetrics(SM_CXSMICON) - buttons * GetSystemMetrics(SM_CXSIZE) - 8;
    textfit::Check(misfits, form, textfit::WindowText(wnd), font, room);
    DeleteObject(font);
  }
  // A menu bar whose items do not fit in one row wraps to a second.
  if (HMENU menu = GetMenu(wnd); menu && GetMenuItemCount(menu) > 1) {
    RECT first{}, last{};
    GetMenuItemRect(wnd, menu, 0, &first);
    GetMenuItemRect(wnd, menu, GetMenuItemCount(menu) - 1, &last);
    if (last.top != first.top) misfits.push_back({"menu bar", last.right, first.right});
  }
  return misfits;
}

inline std::string Describe(const std::vector<TTextMisfit>& misfits) {
  std::ostringstream out;
  for (const auto& m : misfits)
    out << m.where << ": " << m.extent << " pixels in " << m.room << "\n";
  return out.str();
}
