// The dock sites of the program, and the docking side of TCustomForm: moving the form
// into a site and out again, and the mouse gestures that do so.
#include "forms/windows/Docking.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "forms/windows/Forms.h"

namespace {
std::vector<TDockSite*>& Sites() {
  static std::vector<TDockSite*> list;
  return list;
}

bool Inside(TControl* control, TControl* container) {
  for (TControl* c = control; c; c = c->Parent())
    if (c == container) return true;
  return false;
}

// How far into its parent a site aligned to an edge takes a drop, at 96 dots per inch.
constexpr int kDropBand = 32;

// Where a form let go docks into the site, in screen coordinates. A site aligned to an
// edge of its parent is often empty and so 0 pixels thick until something docks: it takes
// the band along that edge where it opens, at least kDropBand deep, within the parent's
// client area. Any other site takes its own window.
bool DropZone(TWinControl* site, RECT& zone) {
  if (!GetWindowRect(site->Handle(), &zone)) return false;
  TWinControl* parent = site->Parent();
  if (!parent || !parent->HandleAllocated()) return true;
  RECT client;
  if (!GetClientRect(parent->Handle(), &client)) return true;
  MapWindowPoints(parent->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int band = MulDiv(kDropBand, Screen->PixelsPerInch(), 96);
  switch (site->Align()) {
    case alBottom: zone.top = std::min<LONG>(zone.top, zone.bottom - band); break;
    case alTop: zone.bottom = std::max<LONG>(zone.bottom, zone.top + band); break;
    case alLeft: zone.right = std::max<LONG>(zone.right, zone.left + band); break;
    case alRight: zone.left = std::min<LONG>(zone.left, zone.right - band); break;
    default: return true;
  }
  return IntersectRect(&zone, &zone, &client) != FALSE;
}
}  // namespace

TDockSite::~TDockSite() { SetDockSite(false); }

void TDockSite::SetDockSite(bool value) {
  if (value == dockSite_) return;
  dockSite_ = value;
  auto& list = Sites();
  if (value) list.push_back(this);
  else list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

TDockSite* TDockSite::AtScreenPoint(POINT p, TControl* exclude) {
  for (TDockSite* site : Sites()) {
    TWinControl* w = site->self_;
    if (!w->HandleAllocated() || !IsWindowVisible(w->Handle()) || (exclude && Inside(w, exclude))) continue;
    RECT r;
    if (DropZone(w, r) && PtInRect(&r, p)) return site;
  }
  return nullptr;
}

// TCustomForm's docking.

bool TCustomForm::ManualDock(TWinControl* newDockSite) {
  auto* site = dynamic_cast<TDockSite*>(newDockSite);
  if (newDockSite && (!site || !site->DockSite() || Inside(newDockSite, this))) return false;
  if (newDockSite == Parent()) return true;
  if (!newDockSite) return Undock(POINT{floatBounds_.left, floatBounds_.top});
  return DockInto(site, POINT{0, 0});
}

bool TCustomForm::DockInto(TDockSite* site, POINT drop) {
  TWinControl* target = site->SiteControl();
  if (TWinControl* old = Parent()) {
    bool allow = true;
    auto* oldSite = dynamic_cast<TDockSite*>(old);
    if (oldSite && oldSite->OnUnDock) oldSite->OnUnDock(old, this, target, allow);
    if (!allow) return false;
  } else {
    floatBounds_ = BoundsRect();
    floatAlign_ = Align();
    // A top-level window becomes a child window: it is made again with its new styles.
    if (HandleAllocated()) DestroyHandle();
  }
  SetParent(target);
  SetAlign(alClient);
  TDragDockObject source(this);
  if (site->OnDockDrop) site->OnDockDrop(target, &source, drop.x, drop.y);
  return true;
}

bool TCustomForm::Undock(POINT floatAt) {
  TWinControl* host = Parent();
  if (!host) return true;
  auto* site = dynamic_cast<TDockSite*>(host);
  bool allow = true;
  if (site && site->OnUnDock) site->OnUnDock(host, this, nullptr, allow);
  if (!allow) return false;
  SetParent(nullptr);  // takes the child window away
  SetAlign(floatAlign_);
  if (Visible()) {
    HWND window = Handle();
    SetBounds(floatAt.x, floatAt.y, floatBounds_.right - floatBounds_.left, floatBounds_.bottom - floatBounds_.top);
    ShowWindow(window, SW_SHOWNORMAL);
  } else {
    SetBounds(floatAt.x, floatAt.y, floatBounds_.right - floatBounds_.left, floatBounds_.bottom - floatBounds_.top);
  }
  return true;
}

void TCustomForm::EndDockDrag(POINT screen, POINT grab) {
  // Posted: the window that received the gesture may be made again.
  dockDrop_ = screen;
  dockGrab_ = grab;
  PostMessageA(Handle(), CM_ENDDOCKDRAG, 0, 0);
}

void TCustomForm::FinishDockDrag() {
  POINT p = dockDrop_;
  TDockSite* site = TDockSite::AtScreenPoint(p, this);
  if (site && site->SiteControl() == Parent()) return;  // let go where it was
  if (!site && !Parent()) return;                        // a plain move of a floating form
  bool done = site ? DockInto(site, site->SiteControl()->ScreenToClient(p))
                   : Undock(POINT{p.x - dockGrab_.x, p.y - dockGrab_.y});
  if (!done || !OnEndDock) return;
  if (site) {
    POINT at = site->SiteControl()->ScreenToClient(p);
    OnEndDock(this, site->SiteControl(), at.x, at.y);
  } else {
    OnEndDock(this, nullptr, p.x, p.y);
  }
}

bool TCustomForm::DockMessage(TMessage& m) {
  switch (m.Msg) {
    case CM_ENDDOCKDRAG:
      FinishDockDrag();
      return true;
    case WM_ENTERSIZEMOVE:
      moved_ = false;
      return false;
    case WM_MOVING:
      moved_ = true;
      return false;
    case WM_EXITSIZEMOVE: {
      bool wasMove = moved_;
      moved_ = false;
      if (!wasMove || Parent() || dragKind_ != dkDock) return false;
      POINT p;
      if (GetCursorPos(&p)) EndDockDrag(p, POINT{0, 0});
      return false;
    }
    case WM_LBUTTONDOWN: {
      // Only a press on the docked form's own background starts a drag.
      POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (!Parent() || dragKind_ != dkDock || dragMode_ != dmAutomatic || ControlAtPos(at, true)) return false;
      dragFrom_ = at;
      dragState_ = 1;
      SetCapture(Handle());
      return true;
    }
    case WM_MOUSEMOVE:
      if (dragState_ == 1 && (std::abs(GET_X_LPARAM(m.LParam) - dragFrom_.x) > GetSystemMetrics(SM_CXDRAG) ||
                              std::abs(GET_Y_LPARAM(m.LParam) - dragFrom_.y) > GetSystemMetrics(SM_CYDRAG)))
        dragState_ = 2;
      return dragState_ != 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
      if (dragState_ == 0) return false;
      bool dragged = dragState_ == 2 && m.Msg == WM_LBUTTONUP;
      dragState_ = 0;
      if (m.Msg == WM_LBUTTONUP && GetCapture() == Handle()) ReleaseCapture();
      if (dragged) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(Handle(), &p);
        EndDockDrag(p, dragFrom_);
      }
      return true;
    }
    default:
      return false;
  }
}
