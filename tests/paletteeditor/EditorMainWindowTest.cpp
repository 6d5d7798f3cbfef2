// The editor's main window in-process under wine: start state, caption and label, the
// grid's pixels, selection by mouse and keys, the two layouts, own-palette mode, the
// menus, the picture preview and the about box.
#include <gtest/gtest.h>

#include "paletteeditor/app/EditorStartMode.h"
#include "tests/paletteeditor/EditorTestSupport.h"
#include "tests/support/ManualCheck.h"
#include "paletteeditor/core/PaletteColours.h"

namespace {

using MainWindow = EditorTest;

TEST_F(MainWindow, StartsUntitledWithTheDefaultPaletteAndEntry0Selected) {
  EXPECT_EQ("Palette Editor v1.2 - [ Untitled ]", FrmMain->Caption());
  EXPECT_EQ("0 (0x000) = RGB(255,255,255)", FrmMain->lblActiveColour->Caption());
  EXPECT_EQ(0, FrmMain->SelectedIndex());
  EXPECT_TRUE(FrmMain->PaletteActive());
  EXPECT_EQ(0xFFFFFFu, WorkPalette[0]);
  EXPECT_EQ(0u, WorkPalette[255]);
  EXPECT_EQ("", PaletteFileName);
  EXPECT_EQ(1, GridIs16x16);
  EXPECT_TRUE(FrmMain->N16x161->Checked());
  EXPECT_FALSE(FrmMain->N32x81->Checked());
  EXPECT_EQ(328, FrmMain->ClientWidth());
  EXPECT_EQ(355, FrmMain->ClientHeight());
  EXPECT_EQ(320, FrmMain->cnvPalette->Width());
  EXPECT_EQ(320, FrmMain->cnvPalette->Height());
  EXPECT_NE(nullptr, FindWindowA(nullptr, pal::EditorWindowCaption));
}

TEST_F(MainWindow, MenusCarryTheirCaptions) {
  const struct {
    TMenuItem* item;
    const char* caption;
  } items[] = {
      {FrmMain->File1, "File"}, {FrmMain->New1, "New"}, {FrmMain->Open1, "Open"}, {FrmMain->N2, "-"},
      {FrmMain->Save1, "Save"}, {FrmMain->SaveAs1, "Save As"}, {FrmMain->N1, "-"}, {FrmMain->Exit1, "Exit"},
      {FrmMain->View1, "View"}, {FrmMain->N16x161, "16x16"}, {FrmMain->N32x81, "32x8"},
      {FrmMain->ownpal1, "Own Palette in 8 bit mode"}, {FrmMain->ools1, "Tools"},
      {FrmMain->ChangecolourRGB1, "Change colour "}, {FrmMain->CopyColours1, "Copy Colours"},
      {FrmMain->Copyfromotherpalette1, "Copy from other palette"},
      {FrmMain->ExchangeColours1, "Exchange Colours"}, {FrmMain->RotateColours1, "Rotate Colours"},
      {FrmMain->ReverseColours1, "Reverse Colours"}, {FrmMain->Gradient1, "Gradient"},
      {FrmMain->Server1, "Server"}, {FrmMain->Register1, "Register"}, {FrmMain->Unregister1, "Unregister"},
      {FrmMain->Help1, "About"},
  };
  for (const auto& i : items) EXPECT_EQ(i.caption, i.item->Caption());
  TMenuItem* bar = FrmMain->MainMenu1->Items();
  ASSERT_EQ(5, bar->Count());
  EXPECT_EQ(FrmMain->Help1, bar->Items(4));
  EXPECT_TRUE(FrmMain->Help1->RightJustify());
  EXPECT_EQ(7, FrmMain->ools1->Count());
  EXPECT_TRUE(FrmMain->Server1->Enabled());
  EXPECT_TRUE(FrmMain->Exit1->Enabled());
  EXPECT_TRUE(FrmMain->BorderIcons().Contains(biSystemMenu));
  EXPECT_EQ(bsSingle, FrmMain->BorderStyle());
}

// The README is the user's manual: it names every item of the editor's menu as the
// window shows it.
TEST_F(MainWindow, TheManualNamesEveryMenuCaption) {
  HMENU bar = GetMenu(FrmMain->Handle());
  ASSERT_NE(bar, nullptr);
  const auto missing = CaptionsMissingFromManual(bar, QV_MANUAL);
  EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

TEST_F(MainWindow, FileDialogsOfferTheFormatsInFilterOrder) {
  EXPECT_EQ("map", FrmMain->OpenPaletteDialog->DefaultExt);
  EXPECT_EQ("TS/RA2, JASC-PAL (*.pal)|*.pal|TS/RA2 Palette (*.pal)|*.pal|JASC 8Bit Palette (*.pal)|*.pal|"
            "Fractint Palette Maps (*.map)|*.map|8Bit Bitmap files(*.bmp,*.dib)|*.bmp;*.dib",
            FrmMain->OpenPaletteDialog->Filter);
  EXPECT_EQ("map", FrmMain->SavePaletteDialog->DefaultExt);
  EXPECT_EQ("TS/RA2 Palette (*.pal)|*.pal|JASC 8Bit Palette (*.pal)|*.pal|Fractint Palette Maps (*.map)|*.map|"
            "8Bit Bitmap files (*.bmp,*.dib)|*.bmp",
            FrmMain->SavePaletteDialog->Filter);
  EXPECT_TRUE(FrmMain->ColorDialog->Options.Contains(cdFullOpen));
}

TEST_F(MainWindow, GridShowsThePaletteAndMarksTheSelectedCell) {
  ASSERT_TRUE(PumpUntil([] { return GridPixel(CellCentre(17).x, CellCentre(17).y) == pal::Grey(238); }));
  for (int i : {1, 16, 100, 254, 255}) {
    const POINT c = CellCentre(i);
    EXPECT_EQ(pal::Grey(std::uint8_t(255 - i)), GridPixel(c.x, c.y)) << "cell " << i;
  }
  // Entry 0 is white and selected: its outline and diagonals are in its marker colour,
  // black, and the rest of it is white.
  EXPECT_EQ(0x000000u, GridPixel(10, 10));  // on the diagonals
  EXPECT_EQ(0x000000u, GridPixel(0, 5));    // the outline
  EXPECT_EQ(0xFFFFFFu, GridPixel(3, 10));
  // Another palette shows in the cells once the grid repaints.
  WorkPalette = TestPalette();
  FrmMain->SelectEntry(0);
  ASSERT_TRUE(PumpUntil([] { return GridPixel(CellCentre(200).x, CellCentre(200).y) == TestColour(200); }));
  for (int i : {1, 37, 128, 255}) {
    const POINT c = CellCentre(i);
    EXPECT_EQ(TestColour(i), GridPixel(c.x, c.y)) << "cell " << i;
  }
}

TEST_F(MainWindow, AnInactivePaletteIsDrawnInGreyLevels) {
  WorkPalette = TestPalette();
  FrmMain->SetPaletteActive(false);
  const POINT c = CellCentre(40);
  EXPECT_TRUE(PumpUntil([&] { return GridPixel(c.x, c.y) == pal::GreyOf(TestColour(40)); }));
  // Clicks do nothing then, and neither do Save and Save As.
  ClickOn(FrmMain->cnvPalette, c.x, c.y);
  EXPECT_EQ(0, FrmMain->SelectedIndex());
  Command(FrmMain->SaveAs1);
  EXPECT_EQ(0, responder.fileDialogs);
  FrmMain->SetPaletteActive(true);
}

TEST_F(MainWindow, ClicksSelectTheCellUnderTheMouseInBothLayouts) {
  ClickOn(FrmMain->cnvPalette, 45, 70);
  EXPECT_EQ(50, FrmMain->SelectedIndex());
  EXPECT_EQ("50 (0x032) = RGB(205,205,205)", FrmMain->lblActiveColour->Caption());
  EXPECT_TRUE(FrmMain->Edit1->Focused());
  Command(FrmMain->N32x81);
  EXPECT_EQ(0, GridIs16x16);
  EXPECT_TRUE(FrmMain->N32x81->Checked());
  EXPECT_FALSE(FrmMain->N16x161->Checked());
  EXPECT_EQ(160, FrmMain->PalettePanel->Height());
  EXPECT_EQ(195, FrmMain->ClientHeight());
  EXPECT_EQ(168, FrmMain->pnlPalette->Top());
  EXPECT_EQ(166, FrmMain->button1->Top());
  ClickOn(FrmMain->cnvPalette, 45, 70);
  EXPECT_EQ(100, FrmMain->SelectedIndex());
  // Cells of 10 x 20 pixels: cell 33 is column 1 of row 1.
  ClickOn(FrmMain->cnvPalette, 15, 25, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_EQ(33, FrmMain->SelectedIndex());
  const POINT c = CellCentre(33);
  EXPECT_EQ(15, c.x);
  EXPECT_EQ(30, c.y);
  Command(FrmMain->N16x161);
  EXPECT_EQ(355, FrmMain->ClientHeight());
  EXPECT_EQ(320, FrmMain->PalettePanel->Height());
  EXPECT_EQ(328, FrmMain->pnlPalette->Top());
  EXPECT_EQ(326, FrmMain->button1->Top());
}

TEST_F(MainWindow, ArrowKeysMoveTheSelectionAndWrap) {
  const POINT c = CellCentre(250);
  ClickOn(FrmMain->cnvPalette, c.x, c.y);
  ASSERT_EQ(250, FrmMain->SelectedIndex());
  ASSERT_TRUE(FrmMain->Edit1->Focused());
  HWND edit = FrmMain->Edit1->Handle();
  const struct {
    WORD key;
    int want;
  } steps[] = {{VK_DOWN, 10}, {VK_UP, 250}, {VK_RIGHT, 251}, {VK_LEFT, 250}};
  for (const auto& s : steps) {
    SendMessageA(edit, WM_KEYDOWN, s.key, 0);
    EXPECT_EQ(s.want, FrmMain->SelectedIndex()) << s.key;
  }
  ClickOn(FrmMain->cnvPalette, 1, 1);
  SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(255, FrmMain->SelectedIndex());
  EXPECT_EQ("255 (0x0FF) = RGB(0,0,0)", FrmMain->lblActiveColour->Caption());
  // Keys reach the grid only while the focus holder has the focus.
  SetFocus(FrmMain->Handle());
  SendMessageA(FrmMain->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(255, FrmMain->SelectedIndex());
}

TEST_F(MainWindow, DoubleClickAndEnterEditTheSelectedColour) {
  const POINT c = CellCentre(20);
  ClickOn(FrmMain->cnvPalette, c.x, c.y);
  responder.colours.push_back(0x123456);
  ClickOn(FrmMain->cnvPalette, c.x, c.y, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  EXPECT_EQ(1, responder.colourDialogs);
  EXPECT_EQ(0x123456u, WorkPalette[20]);
  EXPECT_EQ("20 (0x014) = RGB(86,52,18)", FrmMain->lblActiveColour->Caption());
  EXPECT_TRUE(PumpUntil([&] { return GridPixel(c.x - 6, c.y + 2) == 0x123456u; }));
  // Enter in the focus holder does the same; Cancel keeps the colour.
  SendMessageA(FrmMain->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(2, responder.colourDialogs);
  EXPECT_EQ(0x123456u, WorkPalette[20]);
  responder.colours.push_back(0xABCDEF);
  SendMessageA(FrmMain->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(0xABCDEFu, WorkPalette[20]);
}

TEST_F(MainWindow, OwnPaletteModeFollowsTheDisplayDepth) {
  // The test display runs at 24 or 32 bits.
  EXPECT_FALSE(FrmMain->ownpal1->Enabled());
  SendMessageA(FrmMain->Handle(), WM_DISPLAYCHANGE, 8, MAKELPARAM(1024, 768));
  EXPECT_TRUE(FrmMain->ownpal1->Enabled());
  EXPECT_FALSE(FrmMain->ownpal1->Checked());
  Command(FrmMain->ownpal1);
  EXPECT_TRUE(FrmMain->ownpal1->Checked());
  ASSERT_NE(nullptr, LogPaletteHandle);
  PALETTEENTRY entries[256];
  ASSERT_EQ(256u, GetPaletteEntries(LogPaletteHandle, 0, 256, entries));
  EXPECT_EQ(255, entries[0].peRed);
  EXPECT_EQ(155, entries[100].peGreen);
  EXPECT_EQ(0, entries[100].peFlags);
  // Palette-relative colours still show the palette on a true-colour display.
  const POINT c = CellCentre(90);
  EXPECT_TRUE(PumpUntil([&] { return GridPixel(c.x, c.y) == pal::Grey(165); }));
  // A tool's change reaches the logical palette at once.
  WithModal(Form1, [] { Form1->SpinEdit1->SetValue(0); Form1->SpinEdit2->SetValue(255); }, Form1->Button1,
            [] { Command(FrmMain->ReverseColours1); });
  ASSERT_EQ(256u, GetPaletteEntries(LogPaletteHandle, 0, 256, entries));
  EXPECT_EQ(0, entries[0].peRed);
  SendMessageA(FrmMain->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  EXPECT_FALSE(FrmMain->ownpal1->Enabled());
  EXPECT_FALSE(FrmMain->ownpal1->Checked());
  EXPECT_EQ(nullptr, LogPaletteHandle);
}

TEST_F(MainWindow, AutomationStartLocksTheServerMenuExitAndCloseBox) {
  EditorStartMode = TEditorStartMode::Automation;
  TFrmMain* automated = New<TFrmMain>(nullptr);
  EditorStartMode = TEditorStartMode::Standalone;
  EXPECT_FALSE(automated->Server1->Enabled());
  EXPECT_FALSE(automated->Exit1->Enabled());
  EXPECT_FALSE(automated->BorderIcons().Contains(biSystemMenu));
  EXPECT_TRUE(Application->OnDeactivate.Assigned());
  // Own-palette mode is put aside while the editor is inactive, and back after.
  automated->ownpal1->SetChecked(true);
  Application->OnDeactivate(Application);
  EXPECT_FALSE(automated->ownpal1->Checked());
  EXPECT_EQ(1, OwnPaletteSuspended);
  Application->OnActivate(Application);
  EXPECT_TRUE(automated->ownpal1->Checked());
  automated->ownpal1->SetChecked(false);
  Application->OnDeactivate(Application);
  EXPECT_EQ(0, OwnPaletteSuspended);
  Application->OnActivate(Application);
  EXPECT_FALSE(automated->ownpal1->Checked());
  Application->OnActivate = nullptr;
  Application->OnDeactivate = nullptr;
  automated->RecreateLogPalette();
  automated->Free();
  EXPECT_FALSE(FrmMain->ownpal1->Checked());
}

TEST_F(MainWindow, PicturePreviewTakesThePaletteTurnedByTheSelection) {
  WorkPalette = TestPalette();
  FrmMain->SelectEntry(5);
  ClickOn(FrmMain->button1, 10, 10);
  ASSERT_TRUE(FrmMain->button1->Down());
  ASSERT_TRUE(Form2->Visible());
  EXPECT_EQ(320, Form2->ClientWidth());
  EXPECT_EQ(240, Form2->ClientHeight());
  const RGBQUAD* table = Form2->dxp1->DIB()->ColorTable;
  EXPECT_EQ(0, table[0].rgbRed + table[0].rgbGreen + table[0].rgbBlue);  // the inside stays black
  EXPECT_EQ(pal::RedOf(TestColour(6)), table[1].rgbRed);
  EXPECT_EQ(pal::GreenOf(TestColour(6)), table[1].rgbGreen);
  EXPECT_EQ(pal::BlueOf(TestColour(6)), table[1].rgbBlue);
  EXPECT_EQ(pal::BlueOf(TestColour(4)), table[255].rgbBlue);
  EXPECT_EQ(Form2->dxp1->DIB()->Image()->ColorTable[1].rgbBlue, table[1].rgbBlue);
  // A new selection repaints the grid, which turns the preview with it.
  FrmMain->SelectEntry(10);
  EXPECT_EQ(pal::RedOf(TestColour(11)), Form2->dxp1->DIB()->ColorTable[1].rgbRed);
  // Closed by its own close box, it raises the button; reopened it has its size again.
  Form2->SetClientWidth(200);
  SendMessageA(Form2->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_FALSE(FrmMain->button1->Down());
  ClickOn(FrmMain->button1, 10, 10);
  EXPECT_TRUE(Form2->Visible());
  EXPECT_EQ(320, Form2->ClientWidth());
  ClickOn(FrmMain->button1, 10, 10);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_FALSE(FrmMain->button1->Down());
}

TEST_F(MainWindow, AboutBoxShowsVersionAndServerInfo) {
  EXPECT_EQ("Version: v1.2", FrmAbout->Label4->Caption());
  EXPECT_FALSE(FrmAbout->Label1->Caption().empty());
  ASSERT_EQ(10, FrmAbout->Memo1->Lines()->Count());
  EXPECT_EQ("    Class:   'Tintary.Tintarycom'", FrmAbout->Memo1->Lines()->Strings(2));
  EXPECT_EQ("    procedure  Set_Palette(_from, _to: Integer; Palette: Variant) ",
            FrmAbout->Memo1->Lines()->Strings(7));
  WithModal(FrmAbout, [] {}, FrmAbout->Ok, [] { Command(FrmMain->Help1); });
}

}  // namespace
