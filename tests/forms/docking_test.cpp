// Docking a form into a panel and floating it again: by ManualDock, by moving the
// floating form over the panel, and by dragging the docked form out; the site's
// events, the window made again as a child and back, and the panel's auto-size.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "tests/support/UserInput.h"
#include "forms/windows/Forms.h"
#include "forms/controls/StdCtrls.h"

namespace {

std::vector<std::string> events;

class THostForm : public TForm {
public:
  TPanel* dock;
  TPanel* plain;
  bool allowUndock = true;
  explicit THostForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetCaption("Host");
    SetBounds(100, 100, 600, 500);
    dock = new TPanel(this);
    dock->SetParent(this);
    dock->SetHeight(150);
    dock->SetAlign(alBottom);
    dock->SetDockSite(true);
    dock->OnDockDrop = MakeEvent(this, &THostForm::DockDrop);
    dock->OnUnDock = MakeEvent(this, &THostForm::UnDock);
    plain = new TPanel(this);
    plain->SetParent(this);
    plain->SetBounds(0, 0, 200, 100);
    loader.Finish();
  }
  void DockDrop(TObject* sender, TDragDockObject* source, int, int) {
    events.push_back(std::string("drop ") + (sender == dock ? "dock " : "? ") +
                     static_cast<TComponent*>(source->Control())->Name());
  }
  void UnDock(TObject*, TControl* client, TWinControl* target, bool& allow) {
    events.push_back("undock " + static_cast<TComponent*>(client)->Name() + (target ? " to site" : " to float"));
    allow = allowUndock;
  }
};

class TToolForm : public TForm {
public:
  TEdit* edit;
  explicit TToolForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetName("Tool");
    SetCaption("Parameters");
    SetBounds(750, 100, 300, 200);
    edit = new TEdit(this);
    edit->SetParent(this);
    edit->SetBounds(10, 10, 100, 21);
    OnEndDock = MakeEvent(this, &TToolForm::EndDock);
    loader.Finish();
  }
  void EndDock(TObject*, TObject* target, int, int) { events.push_back(target ? "end docked" : "end floating"); }
};

struct Forms {
  THostForm* host;
  TToolForm* tool;
  Forms() {
    events.clear();
    host = New<THostForm>(nullptr);
    tool = New<TToolForm>(nullptr);
    host->Show();
    tool->Show();
    tool->edit->SetText("kept");
    PumpFor(20);
  }
  ~Forms() {
    tool->Free();
    host->Free();
  }
};

bool IsChildOf(HWND window, HWND parent) {
  return GetParent(window) == parent && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

TEST(Docking, ManualDockMakesTheFormAChildFillingTheSiteAndBack) {
  Forms f;
  RECT before = f.tool->BoundsRect();
  EXPECT_FALSE(f.tool->ManualDock(f.host->plain));  // not a dock site
  ASSERT_TRUE(f.tool->ManualDock(f.host->dock));
  EXPECT_EQ(f.tool->HostDockSite(), f.host->dock);
  EXPECT_FALSE(f.tool->Floating());
  EXPECT_TRUE(IsChildOf(f.tool->Handle(), f.host->dock->Handle()));
  EXPECT_TRUE(IsWindowVisible(f.tool->Handle()));
  RECT inner = f.host->dock->InnerRect();
  EXPECT_EQ(f.tool->Width(), inner.right - inner.left);
  EXPECT_EQ(f.tool->Height(), inner.bottom - inner.top);
  // What the form holds comes along, in windows of its own below it.
  EXPECT_EQ(f.tool->edit->Text(), "kept");
  EXPECT_TRUE(IsChildOf(f.tool->edit->Handle(), f.tool->Handle()));
  EXPECT_EQ(events, (std::vector<std::string>{"drop dock Tool"}));

  ASSERT_TRUE(f.tool->ManualDock(nullptr));
  EXPECT_TRUE(f.tool->Floating());
  HWND window = f.tool->Handle();
  EXPECT_EQ(GetParent(window), nullptr);
  EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(f.tool->Width(), before.right - before.left);
  EXPECT_EQ(f.tool->Height(), before.bottom - before.top);
  EXPECT_EQ(f.tool->Left(), before.left);
  EXPECT_EQ(f.tool->edit->Text(), "kept");
  EXPECT_EQ(f.host->dock->ControlCount(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"drop dock Tool", "undock Tool to float"}));
}

TEST(Docking, TheSiteCanRefuseToLetTheFormGo) {
  Forms f;
  ASSERT_TRUE(f.tool->ManualDock(f.host->dock));
  f.host->allowUndock = false;
  EXPECT_FALSE(f.tool->ManualDock(nullptr));
  EXPECT_EQ(f.tool->HostDockSite(), f.host->dock);
  f.host->allowUndock = true;
  EXPECT_TRUE(f.tool->ManualDock(nullptr));
}

// The end of the system's move loop, as the user lets go of the caption at a point.
void MoveByCaptionTo(TCustomForm* form, POINT screen, bool moved) {
  // The X server reports the warped pointer back a little later: wait until it has.
  ASSERT_TRUE(PumpUntil([&] {
    SetCursorPos(screen.x, screen.y);
    PumpFor(10);
    POINT at;
    return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
  }, 2000));
  HWND window = form->Handle();
  SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
  if (moved) {
    RECT r;
    GetWindowRect(window, &r);
    SendMessageA(window, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
  }
  SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
  PumpFor(30);
}

TEST(Docking, MovingADockableFormOverTheSiteDocksIt) {
  Forms f;
  POINT overDock = f.host->dock->ClientToScreen(POINT{50, 50});
  POINT elsewhere = f.host->plain->ClientToScreen(POINT{50, 50});
  // A form that may not dock, a move elsewhere and a press without a move do nothing.
  MoveByCaptionTo(f.tool, overDock, true);
  EXPECT_TRUE(f.tool->Floating());
  f.tool->SetDragKind(dkDock);
  MoveByCaptionTo(f.tool, elsewhere, true);
  EXPECT_TRUE(f.tool->Floating());
  MoveByCaptionTo(f.tool, overDock, false);
  EXPECT_TRUE(f.tool->Floating());
  EXPECT_TRUE(events.empty());
  MoveByCaptionTo(f.tool, overDock, true);
  EXPECT_EQ(f.tool->HostDockSite(), f.host->dock);
  EXPECT_EQ(events, (std::vector<std::string>{"drop dock Tool", "end docked"}));
}

// An empty site along the host's bottom is 0 pixels high: a form dragged by its caption
// and let go in the band along that edge docks there; let go above the band, it only
// moves.
TEST(Docking, AFormDraggedByItsCaptionOntoAnEmptyEdgeSiteDocksThere) {
  Forms f;
  f.host->dock->SetHeight(0);
  ASSERT_EQ(f.host->dock->Height(), 0);
  f.tool->SetDragKind(dkDock);
  const RECT client = f.host->ClientRect();
  auto drag = [&](int aboveBottom) {
    const POINT to = f.host->ClientToScreen(POINT{client.right / 2, client.bottom - aboveBottom});
    const bool dragged = DragByCaption(f.tool->Handle(), to, [](const std::function<bool()>& done, DWORD ms) {
      return PumpUntil(done, ms);
    });
    PumpFor(200);
    return dragged;
  };
  const RECT before = f.tool->BoundsRect();
  ASSERT_TRUE(drag(120));
  EXPECT_TRUE(f.tool->Floating());
  EXPECT_NE(f.tool->BoundsRect().top, before.top) << "the move loop did not move the window";
  EXPECT_TRUE(events.empty());
  ASSERT_TRUE(drag(8));
  EXPECT_EQ(f.tool->HostDockSite(), f.host->dock);
  EXPECT_EQ(events, (std::vector<std::string>{"drop dock Tool", "end docked"}));
}

TEST(Docking, DraggingADockedFormOutFloatsItThere) {
  Forms f;
  f.tool->SetDragKind(dkDock);
  f.tool->SetDragMode(dmAutomatic);
  ASSERT_TRUE(f.tool->ManualDock(f.host->dock));
  events.clear();
  HWND window = f.tool->Handle();
  // A press and release without moving is no drag.
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 40));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 40));
  PumpFor(30);
  EXPECT_FALSE(f.tool->Floating());
  // Dragged from (200, 40) to 300 pixels above: the form floats with its grab point there.
  POINT drop = f.tool->ClientToScreen(POINT{200, -300});
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 40));
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 0));
  SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, -300));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(200, -300));
  ASSERT_TRUE(PumpUntil([&] { return f.tool->Floating(); }, 2000));
  EXPECT_EQ(f.tool->Left(), drop.x - 200);
  EXPECT_EQ(f.tool->Top(), drop.y - 40);
  EXPECT_EQ(f.tool->Width(), 300);
  EXPECT_EQ(events, (std::vector<std::string>{"undock Tool to float", "end floating"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Docking, AutoSizedPanelTakesTheSizeItsChildrenNeed) {
  Forms f;
  TPanel* panel = f.host->plain;
  panel->SetBevelOuter(bvNone);
  auto* label = new TPanel(f.host);
  label->SetBounds(10, 20, 60, 30);
  label->SetParent(panel);
  panel->SetAutoSize(true);
  EXPECT_EQ(panel->Width(), 70);
  EXPECT_EQ(panel->Height(), 50);
  label->SetVisible(false);  // no visible child: the size stays
  panel->SetAutoSize(false);
  panel->SetAutoSize(true);
  EXPECT_EQ(panel->Height(), 50);
}

}  // namespace
