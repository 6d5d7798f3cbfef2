// The parameters window in process with the real forms under wine: the texts it shows
// for a view, the kernel check boxes, the three OK buttons with their conversions, the
// "Enter" cycle through the corners and the Julia constant, the colour OK that recolours
// without iterating, and docking into the main window's bottom panel.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstring>
#include <functional>
#include <algorithm>
#include <string>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/Coloring.h"
#include "tests/explorer/parameters/ParametersWindowFixture.h"
#include "tests/support/UserInput.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "display/DXDraw.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/windows/Menus.h"
#include "forms/controls/Panel.h"
#include "forms/controls/StdCtrls.h"
#include "forms/core/SysUtils.h"
#include "explorer/parameters/MyTrackBar.h"
#include "tests/support/TextFit.h"

namespace {

using Parameters = ParametersWindowFixture;

std::string Fixed(long double v) { return FloatToStrF(v, ffFixed, 18, 18); }

TEST_F(Parameters, ShowsTheDefaultViewAndAJuliaView) {
  Open();
  TForm2* p = Form2;
  EXPECT_EQ(p->Caption(), "Parameters - Mandelbrot set");
  EXPECT_EQ(p->Edit1->Text(), "150");
  EXPECT_EQ(p->Edit2->Text(), "4");
  // The corners of the default view, doubles widened to extended, in 18 digits.
  EXPECT_EQ(p->Edit3->Text(), "-2.399999999999999910");
  EXPECT_EQ(p->RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(p->TrackBar1->Position(), 8);
  EXPECT_EQ(p->TrackBar2->Position(), 16);
  EXPECT_EQ(p->TrackBar3->Position(), 24);
  EXPECT_EQ(p->Label4->Caption(), "8");
  EXPECT_EQ(p->Label5->Caption(), "16");
  EXPECT_EQ(p->Label6->Caption(), "24");
  EXPECT_TRUE(p->CheckBox3->Checked());  // "Don't show drawing " is on at start
  EXPECT_FALSE(p->CheckBox1->Checked());
  // The selection is kept by a refresh; each item shows its value.
  const std::pair<int, std::string> items[] = {
      {1, Fixed(ViewRight)}, {2, "1.199999999999999960"}, {3, Fixed(ViewBottom)},
      {4, "0.000000000000000000"}, {5, "0.000000000000000000"}};
  for (const auto& item : items) {
    p->RadioGroup1->SetItemIndex(item.first);
    form->ShowParameters();
    EXPECT_EQ(p->RadioGroup1->ItemIndex(), item.first);
    EXPECT_EQ(p->Edit3->Text(), item.second) << item.first;
  }

  JuliaMode = -1;
  JuliaC = TExtendedComplex{-0.8L, 0.156L};
  Bailout = 2.5L;
  MaxIterations = 1234;
  form->ShowParameters();
  EXPECT_EQ(p->Caption(), "Parameters - Julia set");
  EXPECT_EQ(p->Edit1->Text(), "1234");
  EXPECT_EQ(p->Edit2->Text(), "2.5");
  p->RadioGroup1->SetItemIndex(4);
  EXPECT_EQ(p->Edit3->Text(), "-0.800000000000000000");
  p->RadioGroup1->SetItemIndex(5);
  EXPECT_EQ(p->Edit3->Text(), "0.156000000000000000");
  // Shown, the bailout is a whole number.
  p->Show();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(p->Edit2->Text(), "2");
  EXPECT_EQ(p->RadioGroup1->ItemIndex(), 0);
  Bailout = 4.0L;
  MaxIterations = 150;
}

TEST_F(Parameters, EveryTextFitsWithTheRealFonts) {
  Open();
  Form2->Show();
  ASSERT_TRUE(Settle());
  const auto misfits = TextMisfits(Form2);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
}

TEST_F(Parameters, KernelCheckBoxesExcludeEachOther) {
  Open();
  TForm2* p = Form2;
  TCheckBox* sse2 = p->CheckBox2;
  TCheckBox* sse = p->CheckBox4;
  TCheckBox* now3d = p->CheckBox5;
  struct Case {
    bool Sse2, Sse, Now3d;  // before
    TCheckBox* Box;
    bool Check;
    bool WantSse2, WantSse, Want3d;
  };
  const Case cases[] = {
      {false, true, true, sse2, true, true, false, false},
      {true, false, true, sse, true, false, true, false},
      {true, true, false, now3d, true, false, false, true},
      // Unchecking changes nothing else.
      {true, true, true, sse2, false, false, true, true},
      {true, true, true, now3d, false, true, true, false},
  };
  for (const Case& c : cases) {
    // Set without the handlers, as the form description would.
    for (TCheckBox* b : {sse2, sse, now3d}) b->OnClick = nullptr;
    sse2->SetChecked(c.Sse2);
    sse->SetChecked(c.Sse);
    now3d->SetChecked(c.Now3d);
    sse2->OnClick = MakeEvent(p, &TForm2::CheckBox2Click);
    sse->OnClick = MakeEvent(p, &TForm2::CheckBox4Click);
    now3d->OnClick = MakeEvent(p, &TForm2::CheckBox5Click);
    c.Box->SetChecked(c.Check);
    EXPECT_EQ(sse2->Checked(), c.WantSse2);
    EXPECT_EQ(sse->Checked(), c.WantSse);
    EXPECT_EQ(now3d->Checked(), c.Want3d);
  }
}

TEST_F(Parameters, ShowingTheWindowReadsTheKernelAndProcessorFacts) {
  // One processor: "Multithread" is off and cannot be switched on.
  ProcessorCountOverride = 1;
  Open();
  Use3DNow = -1;
  UseSSE = -1;
  UseMultiThreading = -1;
  Form2->Show();
  ASSERT_TRUE(Settle());
  EXPECT_FALSE(Form2->CheckBox5->Checked());  // "3Dnow" with SSE also set
  EXPECT_TRUE(Form2->CheckBox4->Checked());
  EXPECT_EQ(Form2->CheckBox4->Enabled(), HasSSE != 0);
  EXPECT_EQ(Form2->CheckBox5->Enabled(), Has3DNow != 0);
  EXPECT_FALSE(Form2->CheckBox6->Checked());
  EXPECT_FALSE(Form2->CheckBox6->Enabled());
  EXPECT_EQ(UseMultiThreading, 0);
  EXPECT_EQ(Form2->Caption(), "Parameters - Mandelbrot set");
  Use3DNow = 0;
}

TEST_F(Parameters, ThePrecisionGuardSetsTheKernelBoxesAfterItsMessage) {
  Open();
  TForm2* p = Form2;
  UseSSE2 = 0;
  UseSSE = -1;
  Use3DNow = 0;
  form->ShowParameters();
  ASSERT_TRUE(p->CheckBox4->Checked());
  // The boxes still show the old kernel while the message is up.
  bool sseShownDuringMessage = false;
  struct TWatcher : TBoxRecorder {
    std::function<void()> onBox;
    int MessageBox(HWND w, const std::string& text, const std::string& caption, UINT f) override {
      onBox();
      return TBoxRecorder::MessageBox(w, text, caption, f);
    }
  } watcher;
  watcher.onBox = [&] { sseShownDuringMessage = p->CheckBox4->Checked(); };
  ViewWidth = 6e-5L;
  ViewHeight = 4.5e-5L;
  form->PrecisionGuard(false);
  ASSERT_EQ(watcher.texts.size(), 1u);
  EXPECT_TRUE(sseShownDuringMessage);
  EXPECT_FALSE(p->CheckBox4->Checked());
  EXPECT_FALSE(p->CheckBox5->Checked());
  EXPECT_EQ(p->CheckBox2->Checked(), HasSSE2 != 0);

  UseSSE2 = -1;
  p->CheckBox2->SetChecked(true);
  ViewWidth = 8e-14L;
  ViewHeight = 6e-14L;
  form->PrecisionGuard(false);
  ASSERT_EQ(watcher.texts.size(), 2u);
  EXPECT_EQ(UseSSE2, 0);
  EXPECT_FALSE(p->CheckBox2->Checked());
}

TEST_F(Parameters, DefaultButtonFollowsTheAreaInUse) {
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  EXPECT_TRUE(p->Button1->Default());
  p->TrackBar2->SetPosition(40);
  EXPECT_TRUE(p->Button2->Default());
  EXPECT_FALSE(p->Button1->Default());
  EXPECT_EQ(p->Label5->Caption(), "40");
  p->Edit3->SetFocus();
  EXPECT_TRUE(p->Button4->Default());
  EXPECT_FALSE(p->Button2->Default());
  p->Edit2->SetFocus();
  EXPECT_TRUE(p->Button1->Default());
  p->CheckBox1->SetChecked(true);
  EXPECT_TRUE(p->Button2->Default());
  p->RadioGroup1->SetItemIndex(3);
  EXPECT_TRUE(p->Button4->Default());
  // Enter in the iteration field clicks OK of the render settings.
  p->Edit1->SetFocus();
  p->Edit1->SetText("77");
  const int starts = renderStarts;
  SendMessageA(p->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(MaxIterations, 77);
  EXPECT_EQ(renderStarts, starts + 1);
  MaxIterations = 150;
}

TEST_F(Parameters, OkRestartsTheRenderWithTheNewSettings) {
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  const int starts = renderStarts;
  p->Edit1->SetText("300");
  p->Edit2->SetText("16");
  p->CheckBox7->SetChecked(true);
  p->CheckBox3->SetChecked(false);
  Click(p->Button1);
  EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
  EXPECT_EQ(renderStarts, starts + 1);
  EXPECT_EQ(MaxIterations, 300);
  EXPECT_EQ(RenderMaxIterations, 300);
  EXPECT_EQ(Bailout, 16.0L);
  EXPECT_EQ(RenderBailout, 16.0L);
  EXPECT_EQ(Subpixels4X, -1);
  EXPECT_EQ(HideDrawing, 0);
  MaxIterations = 150;
  Bailout = 4.0L;
  Subpixels4X = 0;
  HideDrawing = -1;
}

TEST_F(Parameters, ABadNumberShowsTheConversionErrorAndAppliesNothing) {
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  struct Case {
    const char* Limit;
    const char* Bailout;
    const char* Message;
  };
  const Case cases[] = {
      {"abc", "4", "'abc' is not a valid integer value"},
      {"-1", "4", "Max. iteration: '-1' is not an iteration limit from 0 to 2147483647"},
      {"3000000000", "4", "Max. iteration: '3000000000' is not an iteration limit from 0 to 2147483647"},
      {"200", "2.5", "'2.5' is not a valid integer value"},
      {"200", "", "'' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    boxes.texts.clear();
    const int starts = renderStarts;
    p->CheckBox7->SetChecked(true);  // would switch subpixels on
    p->Edit1->SetText(c.Limit);
    p->Edit2->SetText(c.Bailout);
    Click(p->Button1);
    ASSERT_EQ(boxes.texts.size(), 1u) << c.Limit << " " << c.Bailout;
    EXPECT_EQ(boxes.texts[0], c.Message);
    EXPECT_EQ(MaxIterations, 150);
    EXPECT_EQ(Bailout, 4.0L);
    EXPECT_EQ(Subpixels4X, 0);
    EXPECT_EQ(renderStarts, starts);
  }
  // "Enter" with a bad value keeps the value and the selection.
  boxes.texts.clear();
  p->RadioGroup1->SetItemIndex(0);
  p->Edit3->SetText("1.5.2");
  Click(p->Button4);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "'1.5.2' is not a valid floating point value");
  EXPECT_EQ(p->RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(CornerX1, ViewLeft);
}

// Typed into "Max. iteration" and confirmed with OK: 0 is the kernels' one iteration,
// which leaves every point inside; a limit below 0 is refused by name.
TEST_F(Parameters, ATypedIterationLimitOfZeroRendersAndBelowZeroIsRefused) {
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  TypeInto(p->Edit1, "-5");
  ClickOn(p->Button1);
  ASSERT_TRUE(Settle());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Max. iteration: '-5' is not an iteration limit from 0 to 2147483647");
  EXPECT_EQ(MaxIterations, 150);
  boxes.texts.clear();
  const int starts = renderStarts;
  TypeInto(p->Edit1, "0");
  ClickOn(p->Button1);
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(WaitForRender());
  EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
  EXPECT_EQ(MaxIterations, 0);
  EXPECT_GT(renderStarts, starts);
  // No count is below the limit: every point is inside, stored as 0.
  EXPECT_EQ(*std::max_element(IterBuffer.begin(), IterBuffer.end()), 0);
  MaxIterations = 150;
}

TEST_F(Parameters, EnterCyclesThroughCornersAndConstantAndOkAppliesTheCorners) {
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  const char* texts[] = {"-1.5", "0.5", "1", "-0.5", "0.25", "-0.125"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(p->RadioGroup1->ItemIndex(), i);
    p->Edit3->SetText(texts[i]);
    Click(p->Button4);
    EXPECT_EQ(p->RadioGroup1->ItemIndex(), (i + 1) % 6);
    EXPECT_TRUE(p->Edit3->Focused());
    EXPECT_EQ(p->Edit3->SelLength(), static_cast<int>(p->Edit3->Text().size()));
  }
  // Back at x1, which shows the value entered first.
  EXPECT_EQ(p->Edit3->Text(), "-1.500000000000000000");
  EXPECT_EQ(CornerX1, -1.5L);
  EXPECT_EQ(ViewRight, 0.5L);
  EXPECT_EQ(CornerY1, 1.0L);
  EXPECT_EQ(ViewBottom, -0.5L);
  EXPECT_EQ(JuliaC.Re, 0.25L);
  EXPECT_EQ(JuliaC.Im, -0.125L);
  // The running render keeps the constant it started with.
  EXPECT_EQ(RenderJuliaC.Re, 0.0L);
  EXPECT_EQ(RenderJuliaC.Im, 0.0L);

  const int starts = renderStarts;
  Click(p->Button3);
  EXPECT_EQ(renderStarts, starts + 1);
  EXPECT_EQ(ViewLeft, -1.5L);
  EXPECT_EQ(ViewWidth, 2.0L);
  EXPECT_EQ(ViewTop, 1.0L);
  EXPECT_EQ(ViewHeight, 1.5L);
  EXPECT_EQ(RenderJuliaC.Re, 0.25L);
  EXPECT_EQ(RenderJuliaC.Im, -0.125L);
  // The render start shows the new view's right and bottom edges.
  EXPECT_EQ(ViewBottom, -0.5L);
  EXPECT_EQ(ViewRight, -1.5L + 320 * (1.5L / 240));
}

TEST_F(Parameters, ColourOkRecoloursA32BitSurfaceWithoutIterating) {
  Open();
  ASSERT_EQ(form->DXDraw1->Surface()->BitCount(), 32);
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  const std::vector<std::int32_t> counts = IterBuffer;
  const std::uint32_t renderStart = RenderStartTime;
  PaletteOffset = 7;
  p->TrackBar1->SetPosition(50);
  p->TrackBar2->SetPosition(0);
  p->TrackBar3->SetPosition(100);
  Click(p->Button2);
  EXPECT_EQ(RedSlope, 50.0);
  EXPECT_EQ(GreenSlope, 0.0);
  EXPECT_EQ(BlueSlope, 100.0);
  EXPECT_EQ(PaletteOffset, 0);
  EXPECT_EQ(PaletteLoaded, 0);
  EXPECT_EQ(ColorScale, 1.0);
  // No new render: the same counts, the same start time.
  EXPECT_EQ(IterBuffer, counts);
  EXPECT_EQ(RenderStartTime, renderStart);
  const std::vector<std::uint32_t> pixels = SurfacePixels();
  ASSERT_EQ(pixels.size(), counts.size());
  int outside = 0;
  for (size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] == 0) {
      ASSERT_EQ(pixels[i], 0u) << i;
      continue;
    }
    ++outside;
    const std::uint32_t c = GradientColor(counts[i]);
    const std::uint32_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    ASSERT_EQ(pixels[i], rgb) << "pixel " << i << " count " << counts[i];
  }
  EXPECT_GT(outside, 1000);
  // "/100" scales the slopes down.
  p->CheckBox1->SetChecked(true);
  Click(p->Button2);
  EXPECT_EQ(ColorScale, 0.01);
  EXPECT_EQ(ColorScale100, -1);
  p->CheckBox1->SetChecked(false);
  Click(p->Button2);
  RedSlope = 8;
  GreenSlope = 16;
  BlueSlope = 24;
}

TEST_F(Parameters, InnerColourTakesThePickedColourIntoALoadedTableAndRecolours) {
  Open();
  ASSERT_EQ(form->DXDraw1->Surface()->BitCount(), 32);
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  EXPECT_TRUE(p->ColorDialog1->Options.Contains(cdAnyColor));
  struct TColourAnswer : TBoxRecorder {
    std::vector<TColor> shown;
    bool accept = false;
    TColor answer = clBlack;
    bool ExecuteDialog(TCommonDialog& dialog, HWND) override {
      auto& colour = dynamic_cast<TColorDialog&>(dialog);
      shown.push_back(colour.Color);
      if (accept) colour.Color = answer;
      return accept;
    }
  } user;
  InsideColor = 0x00102030;
  PaletteLoaded = -1;  // a loaded table keeps its gradient entries
  RGBQUAD before[256];
  std::memcpy(before, form->DXDraw1->ColorTable, sizeof before);
  const std::vector<std::int32_t> counts = IterBuffer;
  const std::uint32_t renderStart = RenderStartTime;

  // Cancelled, nothing changes.
  Click(p->Button5);
  ASSERT_EQ(user.shown.size(), 1u);
  EXPECT_EQ(user.shown[0], static_cast<TColor>(0x00102030));  // preset with InsideColor
  EXPECT_EQ(InsideColor, 0x00102030u);
  EXPECT_EQ(std::memcmp(before, form->DXDraw1->ColorTable, sizeof before), 0);

  user.accept = true;
  user.answer = static_cast<TColor>(0x004080FF);
  Click(p->Button5);
  ASSERT_EQ(user.shown.size(), 2u);
  EXPECT_EQ(InsideColor, 0x004080FFu);
  EXPECT_EQ(p->Shape1->Brush()->Color(), static_cast<TColor>(0x004080FF));
  EXPECT_EQ(PaletteLoaded, -1);
  const RGBQUAD* table = form->DXDraw1->ColorTable;
  EXPECT_EQ(std::memcmp(before + 16, table + 16, 224 * sizeof(RGBQUAD)), 0);
  EXPECT_EQ((std::array<int, 3>{table[240].rgbRed, table[240].rgbGreen, table[240].rgbBlue}),
            (std::array<int, 3>{0xFF, 0x80, 0x40}));
  EXPECT_EQ((std::array<int, 3>{table[15].rgbRed, table[15].rgbGreen, table[15].rgbBlue}),
            (std::array<int, 3>{0x00, 0x7F, 0xBF}));
  // Recoloured from the counts, not iterated again.
  EXPECT_EQ(IterBuffer, counts);
  EXPECT_EQ(RenderStartTime, renderStart);
  const std::vector<std::uint32_t> pixels = SurfacePixels();
  ASSERT_EQ(pixels.size(), counts.size());
  int inside = 0;
  for (size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] != 0) continue;
    ++inside;
    ASSERT_EQ(pixels[i], 0xFF8040u) << "pixel " << i;
  }
  EXPECT_GT(inside, 1000);
}

TEST_F(Parameters, DocksIntoThePanelRefusesToCloseThereAndClosesUndocked) {
  Open();
  TForm2* p = Form2;
  p->Show();
  ASSERT_TRUE(Settle());
  ASSERT_NE(p->ParamsSysMenu, nullptr);
  // On the standard system menu the separator before "Enable docking" sits at position 7,
  // where the close takes it away (Wine's menu has one of its own there).
  const int menuItems = GetMenuItemCount(p->ParamsSysMenu);
  MENUITEMINFOA separator{};
  separator.cbSize = sizeof separator;
  separator.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoA(p->ParamsSysMenu, 7, TRUE, &separator));
  EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(p->ParamsSysMenu, menuItems - 1), EnableDockingCommand);
  // "Enable docking" switches between moving and docking the window.
  EXPECT_NE(GetMenuState(p->ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND), UINT(-1));
  EXPECT_EQ(p->DragKind(), dkDrag);
  SendMessageA(p->Handle(), WM_SYSCOMMAND, EnableDockingCommand, 0);
  EXPECT_TRUE(GetMenuState(p->ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(p->DragKind(), dkDock);
  SendMessageA(p->Handle(), WM_SYSCOMMAND, EnableDockingCommand, 0);
  EXPECT_FALSE(GetMenuState(p->ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(p->DragKind(), dkDrag);

  const int clientBefore = form->DXDraw1->Height();
  ASSERT_TRUE(p->ManualDock(form->Panel1));
  ASSERT_TRUE(Settle());
  ASSERT_EQ(Screen->PixelsPerInch(), 96);
  EXPECT_EQ(ParamsDocked, -1);
  EXPECT_EQ(DockedHeight, 100);
  EXPECT_EQ(form->Panel1->Height(), 100);
  EXPECT_FALSE(form->Panel1->AutoSize());
  EXPECT_EQ(form->DXDraw1->Height(), clientBefore - 100);
  // Docked, it cannot be closed.
  p->Close();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(p->Parent(), form->Panel1);
  EXPECT_TRUE(p->Visible());

  ASSERT_TRUE(p->ManualDock(nullptr));
  ASSERT_TRUE(Settle());
  EXPECT_EQ(p->Parent(), nullptr);
  EXPECT_EQ(ParamsDocked, 0);
  EXPECT_EQ(DockedHeight, 0);
  EXPECT_EQ(form->Panel1->Height(), 0);
  EXPECT_EQ(form->DXDraw1->Height(), clientBefore);
  // Out of the panel it is a window made anew, whose system menu has the item again,
  // which the end of the docking gesture checks.
  EXPECT_EQ(p->ParamsSysMenu, GetSystemMenu(p->Handle(), FALSE));
  EXPECT_EQ(GetMenuItemCount(p->ParamsSysMenu), menuItems);
  p->FormEndDock(p, nullptr, 0, 0);
  EXPECT_TRUE(GetMenuState(p->ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_EQ(p->DragKind(), dkDock);
  form->Parameters1->SetEnabled(false);
  p->Close();
  ASSERT_TRUE(Settle());
  EXPECT_FALSE(p->Visible());
  EXPECT_EQ(GetMenuItemCount(p->ParamsSysMenu), menuItems - 2);
  EXPECT_EQ(GetMenuState(p->ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND), UINT(-1));
  EXPECT_TRUE(form->Parameters1->Enabled());
  EXPECT_TRUE(form->Panel1->AutoSize());
  // The menu command shows it again.
  form->Parameters1->Click();
  ASSERT_TRUE(Settle());
  EXPECT_TRUE(p->Visible());
}

}  // namespace
