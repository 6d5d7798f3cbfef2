// THintTip, declared in HintTip.h: a system tooltip with two tools, the control's window
// and the control's rectangle on its parent.
#include "forms/windows/HintTip.h"

#include <commctrl.h>
#include <windowsx.h>

#include "forms/controls/CommonControls.h"
#include "forms/core/Consts.h"
#include "forms/core/SysUtils.h"

namespace {

// Ids of the two tools: the control's window (as itself) and its place on the parent.
constexpr UINT_PTR kParentTool = 1;

// The size that every comctl32 from 5.80 on accepts.
TOOLINFOA ToolOf(HWND owner, UINT_PTR id, UINT flags) {
  TOOLINFOA t{};
  t.cbSize = TTTOOLINFOA_V2_SIZE;
  t.uFlags = flags;
  t.hwnd = owner;
  t.uId = id;
  return t;
}

RECT PlaceOnParent(HWND control, HWND parent) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

THintTip::THintTip(HWND control, HWND parent, const std::string& text) : control_(control), parent_(parent) {
  if (!InitCommonControlClasses(ICC_BAR_CLASSES)) throw EOutOfResources(SWindowClass);
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
  if (!tip_) throw EOutOfResources(SWindowCreate);
  TOOLINFOA own = ToolOf(parent_, reinterpret_cast<UINT_PTR>(control_), TTF_IDISHWND);
  own.lpszText = const_cast<char*>(text.c_str());
  TOOLINFOA place = ToolOf(parent_, kParentTool, 0);
  place.lpszText = own.lpszText;
  place.rect = PlaceOnParent(control_, parent_);
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&own));
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&place));
}

THintTip::~THintTip() {
  // Gone already when the top-level window above went first.
  if (IsWindow(tip_)) DestroyWindow(tip_);
}

void THintTip::SetText(const std::string& text) {
  for (const TOOLINFOA& base : {ToolOf(parent_, reinterpret_cast<UINT_PTR>(control_), 0), ToolOf(parent_, kParentTool, 0)}) {
    TOOLINFOA t = base;
    t.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&t));
  }
}

void THintTip::Relay(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = window;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetMessageTime();
  const DWORD at = GetMessagePos();
  m.pt = POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void THintTip::Place() {
  TOOLINFOA t = ToolOf(parent_, kParentTool, 0);
  t.rect = PlaceOnParent(control_, parent_);
  SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&t));
}
