// The parameters window driven as a person drives it: every field typed into, every box,
// track bar, radio item and button clicked through its own mouse messages, the system
// menu's "Enable docking" chosen, and the window dragged by its caption onto the main
// window's bottom, where it docks; also after the popup's modal window has come and gone.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/parameters/MyTrackBar.h"
#include "tests/explorer/parameters/ParametersWindowFixture.h"
#include "tests/support/UserInput.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/windows/Docking.h"
#include "forms/windows/Menus.h"
#include "forms/controls/Panel.h"
#include "forms/controls/StdCtrls.h"
#include "forms/core/SysUtils.h"

namespace {

// The settings the rows change, put back for the tests that follow.
struct TSavedSettings {
  std::int32_t maxIterations = MaxIterations, subpixels = Subpixels4X, hide = HideDrawing;
  std::int32_t sse = UseSSE, sse2 = UseSSE2, now3d = Use3DNow, scale100 = ColorScale100;
  long double bailout = Bailout;
  double red = RedSlope, green = GreenSlope, blue = BlueSlope, scale = ColorScale;
  std::uint32_t inside = InsideColor;
  ~TSavedSettings() {
    MaxIterations = maxIterations;
    Subpixels4X = subpixels;
    HideDrawing = hide;
    UseSSE = sse;
    UseSSE2 = sse2;
    Use3DNow = now3d;
    ColorScale100 = scale100;
    Bailout = bailout;
    RedSlope = red;
    GreenSlope = green;
    BlueSlope = blue;
    ColorScale = scale;
    InsideColor = inside;
  }
};

// The colour dialog, answered with a colour as the user picks it.
struct TColourPicker : TBoxRecorder {
  TColor answer = static_cast<TColor>(0x004080FF);
  bool ExecuteDialog(TCommonDialog& dialog, HWND) override {
    dynamic_cast<TColorDialog&>(dialog).Color = answer;
    return true;
  }
};

struct Row {
  const char* Control;
  const char* Input;
  std::function<void()> Give;
  std::function<void()> Effect;
};

class ParametersInput : public ParametersWindowFixture {
protected:
  // A click on the control that lets every posted message and a render it starts run.
  void Click(TControl* control) {
    ClickOn(control);
    ASSERT_TRUE(Settle());
  }
  void ClickBox(TCheckBox* box) {
    ClickAt(box, 6, box->Height() / 2);
    ASSERT_TRUE(Settle());
  }

  // A click on the track bar's thumb, which leaves it where it is and gives it the focus.
  void FocusTrackBar(TMyTrackBar* bar) {
    RECT thumb{};
    SendMessageA(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ClickAt(bar, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    ASSERT_TRUE(Settle());
    ASSERT_EQ(GetFocus(), bar->Handle());
  }

  // Drags the window by its caption and lets go at the main window's client point.
  bool DragTo(TForm* window, POINT client) {
    const bool dragged = DragByCaption(window->Handle(), form->ClientToScreen(client),
                                       [](const std::function<bool()>& done, DWORD ms) { return PumpUntil(done, ms); });
    return Settle() && dragged;
  }
  // Just above the bottom of the main window's client area: where the docked window opens.
  POINT BottomEdge() {
    const RECT client = form->ClientRect();
    return POINT{client.right / 2, client.bottom - 6};
  }

  // A kernel box clicked, then OK: it turns over, a box checked unchecks the other two,
  // and OK takes it. A box of a kernel this processor lacks is disabled and takes no click.
  Row KernelRow(TCheckBox* box, const char* name, const std::int32_t& has, const std::int32_t& flag,
                     std::vector<TCheckBox*> others) {
    auto before = std::make_shared<bool>(false);
    return Row{name, "clicked, OK clicked",
                [=] {
                  *before = box->Checked();
                  if (!box->Enabled()) return;
                  ClickBox(box);
                  Click(Form2->Button1);
                },
                [=, &has, &flag] {
                  if (!has) {
                    EXPECT_FALSE(box->Enabled());
                    return;
                  }
                  EXPECT_EQ(box->Checked(), !*before);
                  EXPECT_EQ(flag, box->Checked() ? -1 : 0);
                  if (box->Checked()) {
                    for (TCheckBox* other : others) EXPECT_FALSE(other->Checked()) << other->Name();
                  }
                }};
  }

  bool DockingChecked(TForm2* window) {
    return (GetMenuState(window->ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
};

// The thread's other parameters window (the modal one), or null.
struct TOtherWindowSearch {
  TForm2* resident;
  HWND found;
};

BOOL CALLBACK FindOtherParametersWindow(HWND w, LPARAM l) {
  auto* search = reinterpret_cast<TOtherWindowSearch*>(l);
  auto* form = dynamic_cast<TForm2*>(FindControl(w));
  if (!form || form == search->resident || !IsWindowVisible(w)) return TRUE;
  search->found = w;
  return FALSE;
}

HWND OtherParametersWindow(TForm2* resident) {
  TOtherWindowSearch search{resident, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindOtherParametersWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Once the modal window shows, its own "Enable docking" is chosen (its own business) and
// then its Close.
TForm2* ResidentWindow = nullptr;
HWND ModalWindow = nullptr;

VOID CALLBACK CloseTheModalWindow(HWND, UINT, UINT_PTR id, DWORD) {
  HWND other = OtherParametersWindow(ResidentWindow);
  if (!other) return;
  KillTimer(nullptr, id);
  ModalWindow = other;
  ChooseSystemMenuItem(FindControl(other), EnableDockingCommand);
  SendMessageA(other, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST_F(ParametersInput, EveryControlTakesWhatTheUserGivesIt) {
  TSavedSettings saved;
  TColourPicker picker;
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  int starts = 0;
  auto countStarts = [&] { starts = renderStarts; };
  const bool multi = p->CheckBox6->Checked();
  const std::vector<Row> rows = {
      {"Edit1 \"Max. iteration\"", "clicked into, 300 typed, Enter",
       [&] {
         ASSERT_TRUE(TypeOver(p->Edit1, "300"));
         EXPECT_TRUE(p->Button1->Default());
         countStarts();
         PressKey(VK_RETURN);
         ASSERT_TRUE(Settle());
       },
       [&] {
         EXPECT_EQ(MaxIterations, 300);
         EXPECT_EQ(RenderMaxIterations, 300);
         EXPECT_EQ(renderStarts, starts + 1);
       }},
      {"Edit2 \"Bailout value\"", "16 typed, OK clicked",
       [&] {
         ASSERT_TRUE(TypeOver(p->Edit2, "16"));
         Click(p->Button1);
       },
       [&] { EXPECT_EQ(Bailout, 16.0L); }},
      {"CheckBox7 \"4X Subpixels\"", "clicked, OK clicked",
       [&] {
         ClickBox(p->CheckBox7);
         Click(p->Button1);
       },
       [&] {
         EXPECT_TRUE(p->CheckBox7->Checked());
         EXPECT_EQ(Subpixels4X, -1);
       }},
      {"CheckBox3 \"Don't show drawing \"", "clicked, OK clicked",
       [&] {
         ClickBox(p->CheckBox3);
         Click(p->Button1);
       },
       [&] {
         EXPECT_FALSE(p->CheckBox3->Checked());
         EXPECT_EQ(HideDrawing, 0);
       }},
      {"CheckBox6 \"Multithread\"", "clicked, OK clicked",
       [&] {
         ClickBox(p->CheckBox6);
         Click(p->Button1);
       },
       [&] {
         EXPECT_EQ(p->CheckBox6->Checked(), !multi);
         EXPECT_EQ(UseMultiThreading, multi ? 0 : -1);
       }},
      KernelRow(p->CheckBox4, "CheckBox4 \"SSE\"", HasSSE, UseSSE, {p->CheckBox2, p->CheckBox5}),
      KernelRow(p->CheckBox2, "CheckBox2 \"SSE2\"", HasSSE2, UseSSE2, {p->CheckBox4, p->CheckBox5}),
      KernelRow(p->CheckBox5, "CheckBox5 \"3Dnow\"", Has3DNow, Use3DNow, {p->CheckBox2, p->CheckBox4}),
      {"CheckBox1 \"/100\"", "clicked",
       [&] {
         ASSERT_TRUE(p->Button1->Default());
         ClickBox(p->CheckBox1);
       },
       [&] {
         EXPECT_TRUE(p->CheckBox1->Checked());
         EXPECT_TRUE(p->Button2->Default());
       }},
      {"TrackBar1 \"Red\"", "its thumb clicked, Page Down pressed",
       [&] {
         FocusTrackBar(p->TrackBar1);
         PressKey(VK_NEXT);
       },
       [&] {
         EXPECT_GT(p->TrackBar1->Position(), 8);
         EXPECT_EQ(p->Label4->Caption(), IntToStr(p->TrackBar1->Position()));
         EXPECT_TRUE(p->Button2->Default());
       }},
      {"TrackBar2 \"Green\"", "its thumb clicked, End pressed",
       [&] {
         FocusTrackBar(p->TrackBar2);
         PressKey(VK_END);
       },
       [&] {
         EXPECT_EQ(p->TrackBar2->Position(), 100);
         EXPECT_EQ(p->Label5->Caption(), "100");
       }},
      {"TrackBar3 \"Blue\"", "its thumb clicked, Home pressed",
       [&] {
         FocusTrackBar(p->TrackBar3);
         PressKey(VK_HOME);
       },
       [&] {
         EXPECT_EQ(p->TrackBar3->Position(), 0);
         EXPECT_EQ(p->Label6->Caption(), "0");
       }},
      {"Button2 \"OK\" (colours)", "clicked",
       [&] { Click(p->Button2); },
       [&] {
         EXPECT_EQ(RedSlope, p->TrackBar1->Position());
         EXPECT_EQ(GreenSlope, 100.0);
         EXPECT_EQ(BlueSlope, 0.0);
         EXPECT_EQ(ColorScale100, -1);
         EXPECT_EQ(ColorScale, 0.01);
       }},
      {"Button5 \"Inner Col\"", "clicked, a colour picked",
       [&] { Click(p->Button5); },
       [&] {
         EXPECT_EQ(InsideColor, 0x004080FFu);
         EXPECT_EQ(p->Shape1->Brush()->Color(), static_cast<TColor>(0x004080FF));
       }},
      {"RadioGroup1 item \"y1\"", "clicked",
       [&] {
         TRadioButton* y1 = p->RadioGroup1->Buttons(2);
         ClickAt(y1, 6, y1->Height() / 2);
         ASSERT_TRUE(Settle());
       },
       [&] {
         EXPECT_EQ(p->RadioGroup1->ItemIndex(), 2);
         EXPECT_EQ(p->Edit3->Text(), FloatToStrF(CornerY1, ffFixed, 18, 18));
         EXPECT_TRUE(p->Button4->Default());
       }},
      {"Edit3 and Button4 \"Enter\"", "0.75 typed, Enter clicked",
       [&] {
         ASSERT_TRUE(TypeOver(p->Edit3, "0.75"));
         Click(p->Button4);
       },
       [&] {
         EXPECT_EQ(CornerY1, 0.75L);
         EXPECT_EQ(p->RadioGroup1->ItemIndex(), 3);
         EXPECT_TRUE(p->Edit3->Focused());
       }},
      {"Button3 \"OK\" (corners)", "clicked",
       [&] {
         countStarts();
         Click(p->Button3);
       },
       [&] {
         EXPECT_EQ(ViewTop, 0.75L);
         EXPECT_EQ(renderStarts, starts + 1);
       }},
      {"system menu \"Enable docking\"", "chosen",
       [&] { ChooseSystemMenuItem(p, EnableDockingCommand); },
       [&] {
         EXPECT_TRUE(DockingChecked(p));
         EXPECT_EQ(p->DragKind(), dkDock);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Control) + ": " + row.Input);
    row.Give();
    row.Effect();
  }
  EXPECT_TRUE(picker.texts.empty()) << picker.texts[0];
}

TEST_F(ParametersInput, DraggedByItsCaptionOntoTheMainWindowsBottomItDocks) {
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  ASSERT_EQ(form->Panel1->Height(), 0);
  // Without "Enable docking" the drag only moves the window.
  ASSERT_TRUE(DragTo(p, BottomEdge()));
  EXPECT_EQ(p->Parent(), nullptr);
  EXPECT_EQ(ParamsDocked, 0);
  ChooseSystemMenuItem(p, EnableDockingCommand);
  ASSERT_TRUE(Settle());
  // Let go well above the bottom, it floats where it was let go.
  ASSERT_TRUE(DragTo(p, POINT{form->ClientRect().right / 2, 60}));
  EXPECT_EQ(p->Parent(), nullptr);
  ASSERT_TRUE(DragTo(p, BottomEdge()));
  EXPECT_EQ(p->Parent(), form->Panel1);
  EXPECT_EQ(ParamsDocked, -1);
  EXPECT_EQ(form->Panel1->Height(), 100);
  EXPECT_TRUE(p->Edit1->Focused());
}

// The popup's "Parameters" opens a modal window of its own, with its own system menu;
// once it has gone, the resident window's "Enable docking" still works.
TEST_F(ParametersInput, AfterThePopupsModalWindowEnableDockingStillDocks) {
  Open();
  TForm2* p = Form2;
  SendMessageA(form->Handle(), WM_COMMAND, form->Parameters1->Command(), 0);
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(p->Visible());
  ResidentWindow = p;
  ModalWindow = nullptr;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseTheModalWindow);
  SendMessageA(form->Handle(), WM_COMMAND, form->parameters2->Command(), 0);
  KillTimer(nullptr, timer);
  ASSERT_NE(ModalWindow, nullptr);
  EXPECT_NE(ModalWindow, p->Handle());
  EXPECT_FALSE(IsWindow(ModalWindow));
  ASSERT_TRUE(Settle());

  EXPECT_FALSE(DockingChecked(p));
  ChooseSystemMenuItem(p, EnableDockingCommand);
  EXPECT_TRUE(DockingChecked(p));
  EXPECT_EQ(p->DragKind(), dkDock);
  ASSERT_TRUE(DragTo(p, BottomEdge()));
  EXPECT_EQ(p->Parent(), form->Panel1);
  EXPECT_EQ(ParamsDocked, -1);
}

}  // namespace
