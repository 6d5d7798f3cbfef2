// The tools through their dialogs in-process under wine: each dialog is filled in and
// confirmed with a real click, the tool's effect on WorkPalette is checked, and the
// label follows the selected entry's colour. Also the dialogs' own behaviour: the shown
// target end, Escape, the colour swatches and the copy-from-other-palette grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/paletteeditor/EditorTestSupport.h"
#include "paletteeditor/core/PaletteColours.h"
#include "paletteeditor/core/PaletteFiles.h"

namespace {

using EditorTools = EditorTest;

pal::PaletteColours Indexed() {
  pal::PaletteColours p;
  for (int i = 0; i < 256; ++i) p[i] = pal::MakeColour(std::uint8_t(i), std::uint8_t(i / 2), 7);
  return p;
}

void Copy(TMenuItem* item, int from, int to, int target, TControl* button = nullptr) {
  WithModal(
      FrmCopyColours,
      [=] {
        FrmCopyColours->StartColour->SetValue(from);
        FrmCopyColours->EndColour->SetValue(to);
        FrmCopyColours->StartColour2->SetValue(target);
      },
      button ? button : FrmCopyColours->Button1, [=] { Command(item); });
}

void Range(TMenuItem* item, int from, int to, int amount = 1, int direction = 0) {
  WithModal(
      Form1,
      [=] {
        Form1->SpinEdit1->SetValue(from);
        Form1->SpinEdit2->SetValue(to);
        Form1->SpinEdit3->SetValue(amount);
        Form1->RadioGroup1->SetItemIndex(direction);
      },
      Form1->Button1, [=] { Command(item); });
}

void Colours(TMenuItem* item, int from, int to, pal::Colour left, pal::Colour right) {
  WithModal(
      FrmGradient,
      [=] {
        FrmGradient->StartColour->SetValue(from);
        FrmGradient->EndColour->SetValue(to);
        FrmGradient->Panel1->SetColor(TColor(left));
        FrmGradient->Panel2->SetColor(TColor(right));
      },
      FrmGradient->Button1, [=] { Command(item); });
}

TEST_F(EditorTools, CopyColoursClipsAtTheEndAndRepeatsAnOverlap) {
  WorkPalette = Indexed();
  Copy(FrmMain->CopyColours1, 0, 15, 250);
  EXPECT_EQ("Copy Tool", FrmCopyColours->Caption());
  EXPECT_EQ("Copy colours", FrmCopyColours->Label1->Caption());
  EXPECT_EQ("Paste colours", FrmCopyColours->Label2->Caption());
  for (int t = 250; t < 256; ++t) EXPECT_EQ(Indexed()[t - 250], WorkPalette[t]) << t;
  EXPECT_EQ(Indexed()[249], WorkPalette[249]);
  WorkPalette = Indexed();
  Copy(FrmMain->CopyColours1, 0, 15, 4);
  for (int t = 4; t <= 19; ++t) EXPECT_EQ(Indexed()[(t - 4) % 4], WorkPalette[t]) << t;
  EXPECT_EQ(Indexed()[20], WorkPalette[20]);
}

TEST_F(EditorTools, ExchangeColoursSwapsTheRanges) {
  WorkPalette = Indexed();
  Copy(FrmMain->ExchangeColours1, 0, 2, 10);
  EXPECT_EQ("Exchange Tool", FrmCopyColours->Caption());
  EXPECT_EQ("Exchange colours", FrmCopyColours->Label1->Caption());
  EXPECT_EQ("With colours", FrmCopyColours->Label2->Caption());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Indexed()[10 + i], WorkPalette[i]);
    EXPECT_EQ(Indexed()[i], WorkPalette[10 + i]);
  }
}

TEST_F(EditorTools, CopyDialogShowsWhereTheTargetEnds) {
  const struct {
    int from, to, target, shown;
  } cases[] = {{0, 15, 16, 31}, {0, 15, 250, 255}, {10, 5, 100, 95}, {0, 255, 0, 255}};
  for (const auto& c : cases) {
    int shown = -1;
    WithModal(
        FrmCopyColours,
        [&] {
          FrmCopyColours->StartColour->SetValue(c.from);
          FrmCopyColours->EndColour->SetValue(c.to);
          FrmCopyColours->StartColour2->SetValue(c.target);
          shown = FrmCopyColours->SpinEdit1->Value();
        },
        FrmCopyColours->Button2, [] { Command(FrmMain->CopyColours1); });
    EXPECT_EQ(c.shown, shown) << c.from << ".." << c.to << " to " << c.target;
  }
  EXPECT_FALSE(FrmCopyColours->SpinEdit1->Enabled());
  EXPECT_EQ(3, FrmCopyColours->StartColour->MaxLength());
}

TEST_F(EditorTools, CancelChangesNothing) {
  WorkPalette = Indexed();
  Copy(FrmMain->CopyColours1, 0, 15, 100, FrmCopyColours->Button2);
  WithModal(Form1, [] {}, Form1->Button2, [] { Command(FrmMain->ReverseColours1); });
  WithModal(FrmGradient, [] {}, FrmGradient->Button2, [] { Command(FrmMain->Gradient1); });
  WithModal(Form4, [] {}, Form4->Button3, [] { Command(FrmMain->Copyfromotherpalette1); });
  ExpectSamePalette(Indexed(), WorkPalette);
}

TEST_F(EditorTools, EscapeConfirmsRotateAndReverseButNotTheOthers) {
  WorkPalette = Indexed();
  WithModal(Form1, [] { Form1->SpinEdit1->SetValue(10); Form1->SpinEdit2->SetValue(13); Form1->SpinEdit1->SetFocus(); },
            nullptr, [] { Command(FrmMain->ReverseColours1); }, VK_ESCAPE);
  EXPECT_EQ(Indexed()[13], WorkPalette[10]);
  WorkPalette = Indexed();
  WithModal(FrmCopyColours,
            [] {
              FrmCopyColours->StartColour->SetValue(0);
              FrmCopyColours->EndColour->SetValue(3);
              FrmCopyColours->StartColour2->SetValue(50);
              FrmCopyColours->StartColour->SetFocus();
            },
            nullptr, [] { Command(FrmMain->CopyColours1); }, VK_ESCAPE);
  WithModal(FrmGradient, [] { FrmGradient->StartColour->SetFocus(); }, nullptr,
            [] { Command(FrmMain->Gradient1); }, VK_ESCAPE);
  ExpectSamePalette(Indexed(), WorkPalette);
}

TEST_F(EditorTools, EnterConfirmsTheGradientDialog) {
  WorkPalette = Indexed();
  WithModal(
      FrmGradient,
      [] {
        FrmGradient->StartColour->SetValue(0);
        FrmGradient->EndColour->SetValue(255);
        FrmGradient->Panel1->SetColor(clBlack);
        FrmGradient->Panel2->SetColor(clWhite);
        FrmGradient->StartColour->SetFocus();
      },
      nullptr, [] { Command(FrmMain->Gradient1); }, VK_RETURN);
  EXPECT_EQ(pal::Grey(128), WorkPalette[128]);
}

TEST_F(EditorTools, RotateLeftRightAndAFullTurn) {
  const struct {
    int amount, direction;
    std::vector<int> order;
  } cases[] = {{1, 0, {1, 2, 3, 0}}, {1, 1, {3, 0, 1, 2}}, {4, 0, {0, 1, 2, 3}}, {2, 1, {2, 3, 0, 1}}};
  for (const auto& c : cases) {
    WorkPalette = Indexed();
    Range(FrmMain->RotateColours1, 0, 3, c.amount, c.direction);
    EXPECT_EQ("Rotate Tool", Form1->Caption());
    EXPECT_TRUE(Form1->RadioGroup1->Visible());
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Indexed()[c.order[k]], WorkPalette[k]) << c.amount << " " << c.direction;
    EXPECT_EQ(Indexed()[4], WorkPalette[4]);
  }
  EXPECT_EQ("Left", Form1->RadioGroup1->Items()->Strings(0));
  EXPECT_EQ("Right", Form1->RadioGroup1->Items()->Strings(1));
  EXPECT_EQ(1, Form1->SpinEdit3->MinValue());
}

TEST_F(EditorTools, ReverseHidesAmountAndDirection) {
  WorkPalette = Indexed();
  bool hidden = false;
  WithModal(
      Form1,
      [&] {
        hidden = !Form1->SpinEdit3->Visible() && !Form1->RadioGroup1->Visible() && !Form1->Label3->Visible();
        Form1->SpinEdit1->SetValue(10);
        Form1->SpinEdit2->SetValue(14);
      },
      Form1->Button1, [] { Command(FrmMain->ReverseColours1); });
  EXPECT_TRUE(hidden);
  EXPECT_EQ("Reverse Tool", Form1->Caption());
  const int want[] = {14, 13, 12, 11, 10};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Indexed()[want[k]], WorkPalette[10 + k]);
}

TEST_F(EditorTools, GradientFromTheSwatches) {
  WorkPalette = Indexed();
  Colours(FrmMain->Gradient1, 0, 255, 0x000000, 0xFFFFFF);
  EXPECT_EQ("Gradient Tool", FrmGradient->Caption());
  EXPECT_TRUE(FrmGradient->Label3->Visible());
  for (int i = 0; i < 256; i += 15) EXPECT_EQ(pal::Grey(std::uint8_t(i)), WorkPalette[i]) << i;
  EXPECT_TRUE(responder.boxes.empty());
}

TEST_F(EditorTools, GradientWithAReversedRangeShowsItsBoxAndChangesNothing) {
  WorkPalette = Indexed();
  Colours(FrmMain->Gradient1, 200, 100, 0x000000, 0xFFFFFF);
  ASSERT_EQ(1u, responder.boxes.size());
  EXPECT_EQ("PaletteGradient Input Error", responder.boxes[0].caption);
  EXPECT_EQ("Error: PaletteGradient Needs Start Num And \r\rEnd Num To Be Different Numbers", responder.boxes[0].text);
  ExpectSamePalette(Indexed(), WorkPalette);
  // The spin edits keep start and end apart at the ends of the palette.
  EXPECT_EQ(254, FrmGradient->StartColour->MaxValue());
  EXPECT_EQ(1, FrmGradient->EndColour->MinValue());
}

TEST_F(EditorTools, ChangeColourReplacesExactMatchesOnly) {
  pal::PaletteColours p = Indexed();
  p[3] = p[5] = p[9] = 0x112233;
  p[4] = 0x112234;
  WorkPalette = p;
  bool labelsHidden = false;
  WithModal(
      FrmGradient,
      [&] {
        labelsHidden = !FrmGradient->Label3->Visible() && !FrmGradient->Label4->Visible();
        FrmGradient->StartColour->SetValue(3);
        FrmGradient->EndColour->SetValue(8);
        FrmGradient->Panel1->SetColor(0x112233);
        FrmGradient->Panel2->SetColor(0xFFFFFF);
      },
      FrmGradient->Button1, [] { Command(FrmMain->ChangecolourRGB1); });
  EXPECT_TRUE(labelsHidden);
  EXPECT_EQ("Change Tool", FrmGradient->Caption());
  EXPECT_EQ(0xFFFFFFu, WorkPalette[3]);
  EXPECT_EQ(0x112234u, WorkPalette[4]);
  EXPECT_EQ(0xFFFFFFu, WorkPalette[5]);
  EXPECT_EQ(0x112233u, WorkPalette[9]);
}

TEST_F(EditorTools, SwatchesTakeTheColourPickedByDoubleClick) {
  FrmGradient->Panel1->SetColor(clBlack);
  responder.colours.push_back(0x3366CC);
  responder.colours.push_back(0x00FF00);
  WithModal(
      FrmGradient,
      [] {
        SendMessageA(FrmGradient->Panel1->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(FrmGradient->Panel2->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(FrmGradient->Panel2->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
      },
      FrmGradient->Button2, [] { Command(FrmMain->Gradient1); });
  EXPECT_EQ(3, responder.colourDialogs);
  EXPECT_EQ(0x3366CC, FrmGradient->Panel1->Color());
  EXPECT_EQ(0x00FF00, FrmGradient->Panel2->Color());  // the third dialog was cancelled
}

// A tool that changes the selected entry's colour refreshes the label with it.
TEST_F(EditorTools, LabelFollowsEveryToolThatChangesTheSelectedEntry) {
  WorkPalette = Indexed();
  FrmMain->SelectEntry(2);
  Range(FrmMain->ReverseColours1, 0, 3);
  EXPECT_EQ(pal::ActiveColourText(2, Indexed()[1]), FrmMain->lblActiveColour->Caption());
  Copy(FrmMain->CopyColours1, 200, 210, 0);
  EXPECT_EQ(pal::ActiveColourText(2, Indexed()[202]), FrmMain->lblActiveColour->Caption());
  Range(FrmMain->RotateColours1, 0, 255, 1, 0);
  EXPECT_EQ(pal::ActiveColourText(2, WorkPalette[2]), FrmMain->lblActiveColour->Caption());
  Colours(FrmMain->Gradient1, 0, 4, 0x000000, 0x0000FF);
  EXPECT_EQ("2 (0x002) = RGB(128,0,0)", FrmMain->lblActiveColour->Caption());
  EXPECT_EQ(2, FrmMain->SelectedIndex());
}

TEST_F(EditorTools, CopyFromOtherPaletteOpensClicksAndCopies) {
  WorkPalette = Indexed();
  const std::string other = Scratch("other.map");
  ASSERT_TRUE(pal::SaveMapPalette(other, TestPalette()).ok());
  responder.files.push_back({true, other, 4});
  bool grid = false;
  int sourceStart = -1, targetStart = -1, targetEnd = -1;
  WithModal(
      Form4,
      [&] {
        SendMessageA(Form4->Button2->Handle(), BM_CLICK, 0, 0);
        ExpectSamePalette(TestPalette(), OtherPalette, "other");
        // The grid shows the other palette: cell 17 at (15 x 1 + 7, 15 x 1 + 7).
        const POINT p = Form4->PaintBox1->ClientToScreen(POINT{22, 22});
        grid = PumpUntil([&] {
          HDC screen = GetDC(nullptr);
          const COLORREF c = GetPixel(screen, p.x, p.y) & 0xFFFFFF;
          ReleaseDC(nullptr, screen);
          return c == TestColour(17);
        });
        // Row 2, column 3 with the left button: the source start; the right button on
        // cell 40: its end; the middle button on the last cell: the target start.
        ClickOn(Form4->PaintBox1, 3 * 15 + 2, 2 * 15 + 2);
        sourceStart = Form4->SpinEdit1->Value();
        ClickOn(Form4->PaintBox1, 8 * 15 + 2, 2 * 15 + 2, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
        ClickOn(Form4->PaintBox1, 239, 239, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON);
        targetStart = Form4->SpinEdit3->Value();
        targetEnd = Form4->SpinEdit4->Value();
        Form4->SpinEdit3->SetValue(100);
      },
      Form4->Button1, [] { Command(FrmMain->Copyfromotherpalette1); });
  EXPECT_TRUE(grid);
  EXPECT_EQ(35, sourceStart);
  EXPECT_EQ(255, targetStart);
  EXPECT_EQ(255, targetEnd);
  EXPECT_EQ(40, Form4->SpinEdit2->Value());
  EXPECT_EQ(105, Form4->SpinEdit4->Value());
  for (int t = 100; t <= 105; ++t) EXPECT_EQ(TestColour(35 + t - 100), WorkPalette[t]) << t;
  EXPECT_EQ(Indexed()[99], WorkPalette[99]);
  EXPECT_EQ(Indexed()[106], WorkPalette[106]);
  // The dialog shares the main window's open dialog, filter index and all.
  EXPECT_EQ(4, FrmMain->OpenPaletteDialog->FilterIndex);
}

TEST_F(EditorTools, AFailedOpenInTheOtherPaletteDialogKeepsTheOtherPalette) {
  OtherPalette = TestPalette();
  responder.files.push_back({true, PalData("map/malformed/invalid_numeric.hex.map"), 4});
  responder.files.push_back({true, PalData("jasc/malformed/jasc_signature.lower_case.pal"), 3});
  WithModal(
      Form4,
      [] {
        SendMessageA(Form4->Button2->Handle(), BM_CLICK, 0, 0);
        SendMessageA(Form4->Button2->Handle(), BM_CLICK, 0, 0);
      },
      Form4->Button3, [] { Command(FrmMain->Copyfromotherpalette1); });
  ASSERT_EQ(2u, responder.boxes.size());
  EXPECT_EQ("Invalid numeric input", responder.boxes[0].text);
  EXPECT_EQ("Error: JASC Signature Incorrect", responder.boxes[1].text);
  ExpectSamePalette(TestPalette(), OtherPalette);
}

// Open, edit with every tool, save, reopen: the file holds the edited palette.
TEST_F(EditorTools, EditWithEveryToolSaveAndReopen) {
  Open(PalData("map/fractint_style.map"), 4);
  pal::PaletteColours want = TestPalette();
  Copy(FrmMain->CopyColours1, 0, 9, 100);
  for (int t = 100; t < 110; ++t) want[t] = want[t - 100];
  Copy(FrmMain->ExchangeColours1, 20, 24, 200);
  for (int k = 0; k < 5; ++k) std::swap(want[20 + k], want[200 + k]);
  Range(FrmMain->RotateColours1, 30, 39, 3, 1);
  std::rotate(want.begin() + 30, want.begin() + 37, want.begin() + 40);
  Range(FrmMain->ReverseColours1, 40, 49);
  std::reverse(want.begin() + 40, want.begin() + 50);
  Colours(FrmMain->Gradient1, 50, 60, 0x000000, 0x0000FF);
  for (int i = 50; i <= 60; ++i) want[i] = pal::MakeColour(std::uint8_t(std::nearbyint((i - 50) * 25.5)), 0, 0);
  const pal::Colour changed = want[70];
  Colours(FrmMain->ChangecolourRGB1, 70, 70, changed, 0x00FF00);
  want[70] = 0x00FF00;
  OtherPalette = pal::PaletteColours{};
  WithModal(
      Form4,
      [] {
        Form4->SpinEdit1->SetValue(0);
        Form4->SpinEdit2->SetValue(4);
        Form4->SpinEdit3->SetValue(251);
      },
      Form4->Button1, [] { Command(FrmMain->Copyfromotherpalette1); });
  for (int t = 251; t < 256; ++t) want[t] = 0;
  ExpectSamePalette(want, WorkPalette, "edited");
  const std::string saved = Scratch("edited.pal");
  SaveAs(saved, 2);
  Command(FrmMain->New1);
  Open(saved, 3);
  ExpectSamePalette(want, WorkPalette, "reopened");
  EXPECT_TRUE(responder.boxes.empty());
}

}  // namespace
