// The info box under wine: the logo animation played from the program's folder and its
// last frame kept with the key help on black bands; a missing animation's message and the
// help on white; the key help's lines by the screen's dots per inch; the "Info" command.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/ChildProcess.h"
#include "tests/support/GuiTest.h"
#include "explorer/app/ExplorerState.h"
#include "tests/explorer/MainWindowFixture.h"
#include "tests/support/TextFit.h"
#include "explorer/infobox/InfoBox.h"
#include "forms/graphics/Bitmap.h"
#include "forms/windows/Menus.h"

namespace {

class InfoBox : public ::testing::Test {
protected:
  void SetUp() override {
    ResetExplorerState();
    savedDir_ = ProgramDir;
    ProgramDir = ExtractFilePath(Application->ExeName());
    Form3 = New<TForm3>(Application);
  }
  void TearDown() override {
    if (Form3->Visible()) Form3->Close();
    Form3->Free();
    Form3 = nullptr;
    ProgramDir = savedDir_;
  }

  TCanvas* Picture() { return Form3->Image1->Canvas(); }
  COLORREF PictureAt(int x, int y) { return Picture()->Pixels(x, y) & 0xFFFFFF; }

  // The colours met along the band of key-help line i, left of its text and across it.
  void ExpectBand(int line, COLORREF background, COLORREF text) {
    const int top = KeyHelpLineTop(DpiScale, line);
    bool sawText = false;
    for (int x = 40; x < 200; ++x)
      if (PictureAt(x, top + 6) == text) sawText = true;
    EXPECT_TRUE(sawText) << "line " << line;
    // The leading blank of each line is background only.
    const int lefts[] = {30, 24, 10, 6};
    EXPECT_EQ(PictureAt(lefts[line] + 1, top + 2), background) << "line " << line;
  }

  // Light blue pixels above the help lines: the last frame's outside points.
  int SkyPixels() {
    int n = 0;
    for (int y = 0; y < 100; y += 4)
      for (int x = 0; x < 240; x += 4) {
        const COLORREF c = PictureAt(x, y);
        if (GetBValue(c) > 200 && GetRValue(c) < 200) ++n;
      }
    return n;
  }

  std::string savedDir_;
};

TEST_F(InfoBox, AnimationPlaysAndItsLastFrameStaysUnderTheKeyHelp) {
  TRecordingResponder responder;
  Form3->Show();
  ASSERT_FALSE(Form3->Image1->Visible()) << "hidden while the animation plays";
  ASSERT_TRUE(PumpUntil([&] { return Form3->Image1->Visible(); }, 15000))
      << "no end of play was notified";
  EXPECT_TRUE(responder.boxes.empty());
  EXPECT_EQ(Form3->MediaPlayer1->NotifyValue(), nvSuccessful);
  for (int line = 0; line < 4; ++line) ExpectBand(line, RGB(0, 0, 0), RGB(255, 255, 255));
  // Above the help the last frame shows: the light blue of the valley's outside points.
  EXPECT_GT(SkyPixels(), 20);
  // The form shows the picture where the animation played.
  PumpFor(200);
  HDC dc = GetDC(Form3->Handle());
  for (POINT p : {POINT{31, KeyHelpLineTop(DpiScale, 0) + 2}, POINT{120, 40}, POINT{60, 90}})
    EXPECT_EQ(GetPixel(dc, 16 + p.x, 58 + p.y) & 0xFFFFFF, PictureAt(p.x, p.y)) << p.x << "," << p.y;
  ReleaseDC(Form3->Handle(), dc);

  // A click on the picture plays it again, to the same end.
  Picture()->Brush()->SetColor(clRed);
  Picture()->FillRect(RECT{0, 0, 240, 180});
  ASSERT_EQ(SkyPixels(), 0);
  Form3->Image1Click(Form3->Image1);
  ASSERT_TRUE(PumpUntil([&] { return SkyPixels() > 20; }, 15000));

  Form3->Close();
  EXPECT_FALSE(Form3->Image1->Visible());
  EXPECT_FALSE(Form3->MediaPlayer1->IsOpen());
}

TEST_F(InfoBox, MissingAnimationGivesTheMessageAndTheHelpOnWhite) {
  ProgramDir = "C:\\nowhere-quorvel\\";
  TRecordingResponder responder;
  Form3->Show();
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].text, "Can't play drovalog.avi!");
  EXPECT_EQ(responder.boxes[0].caption, "Quorvel");
  EXPECT_EQ(responder.boxes[0].flags, UINT(MB_OK));
  EXPECT_TRUE(Form3->Image1->Visible());
  for (int line = 0; line < 4; ++line) ExpectBand(line, RGB(255, 255, 255), RGB(0, 0, 0));
  EXPECT_EQ(PictureAt(120, 10), RGB(255, 255, 255));

  // The texts fit with the real fonts: the labels, and each help line on the picture.
  const auto misfits = TextMisfits(Form3);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
  const struct { int Left; const char* Text; } lines[] = {
      {30, " Switch Mandelbrot/Julia set = Space"},
      {24, " Zoom In = Left Mouse, Num+, Wheel+"},
      {10, " Zoom Out = Ctrl + Left Mouse, Num-, Wheel-"},
      {6, " Image Movement = Arrow Keys, Middle Mouse "},
  };
  for (const auto& line : lines)
    EXPECT_LE(line.Left + Picture()->TextWidth(line.Text), 240) << line.Text;
}

// The help's lines begin where their opaque bands begin: the leading blank of each line
// lies left of the line above it, so there the row above a band keeps the red fill.
void ExpectLineTops(const int (&tops)[4]) {
  const int lefts[] = {30, 24, 10, 6};
  TCanvas* canvas = Form3->Image1->Canvas();
  for (int line = 0; line < 4; ++line) {
    // The picture does not grow with the dots per inch: lower lines fall off its foot.
    if (tops[line] >= Form3->Image1->Height()) continue;
    const int x = lefts[line] + 1;
    EXPECT_EQ(canvas->Pixels(x, tops[line] - 1) & 0xFFFFFF, RGB(255, 0, 0)) << "line " << line;
    EXPECT_EQ(canvas->Pixels(x, tops[line]) & 0xFFFFFF, RGB(255, 255, 255)) << "line " << line;
  }
}

void ShowWithoutAnimationOnRed() {
  ProgramDir = "C:\\nowhere-quorvel\\";
  TCanvas* canvas = Form3->Image1->Canvas();
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect(RECT{0, 0, 240, 180});
  TRecordingResponder responder;
  Form3->Show();
  ASSERT_EQ(responder.boxes.size(), 1u);
}

TEST_F(InfoBox, KeyHelpLinesSitAtTheirPlacesOnThePicture) {
  ShowWithoutAnimationOnRed();
  ASSERT_EQ(Screen->PixelsPerInch(), 96);
  const int tops96[] = {115, 130, 145, 160};
  ExpectLineTops(tops96);
}

// Run in a child process started by the test below, with the screen at 120 dots per inch.
TEST_F(InfoBox, At120DotsPerInch) {
  if (!GetEnvironmentVariableA("QV_INFOBOX_120DPI", nullptr, 0)) GTEST_SKIP() << "child only";
  ASSERT_EQ(Screen->PixelsPerInch(), 120);
  ShowWithoutAnimationOnRed();
  EXPECT_DOUBLE_EQ(DpiScale, 1.25);
  const int tops120[] = {144, 162, 181, 200};
  ExpectLineTops(tops120);
}

TEST(InfoBoxLayout, At120DotsPerInchTheLinesSitAt144_162_181_200) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  DWORD old = 0, oldSize = sizeof old, type = 0;
  const bool hadOld = RegQueryValueExA(key, "LogPixels", nullptr, &type,
                                       reinterpret_cast<BYTE*>(&old), &oldSize) == ERROR_SUCCESS;
  const DWORD dpi = 120;
  ASSERT_EQ(RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                           sizeof dpi), ERROR_SUCCESS);
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string command = std::string("\"") + exe + "\" --gtest_filter=InfoBox.At120DotsPerInch";
  SetEnvironmentVariableA("QV_INFOBOX_120DPI", "1");
  const DWORD exitCode = RunToEnd(command, 60000);
  SetEnvironmentVariableA("QV_INFOBOX_120DPI", nullptr);
  if (hadOld)
    RegSetValueExA(key, "LogPixels", 0, type, reinterpret_cast<const BYTE*>(&old), oldSize);
  else
    RegDeleteValueA(key, "LogPixels");
  RegCloseKey(key);
  ASSERT_NE(exitCode, TChildProcess::NotStarted);
  EXPECT_EQ(exitCode, 0u) << "the child's checks failed";
}

TEST(InfoBoxLayout, KeyHelpLinesFollowTheDotsPerInch) {
  const struct { double Scale; int Tops[4]; } cases[] = {
      {1.0, {115, 130, 145, 160}},
      // 143.75, 162.5 (to even), 181.25, 200.
      {1.25, {144, 162, 181, 200}},
      {1.5, {172, 195, 218, 240}},
  };
  for (const auto& c : cases)
    for (int line = 0; line < 4; ++line)
      EXPECT_EQ(KeyHelpLineTop(c.Scale, line), c.Tops[line]) << c.Scale << " line " << line;
}

class InfoCommand : public MainWindowFixture {};

VOID CALLBACK CloseWhenFrozen(HWND, UINT, UINT_PTR id, DWORD) {
  if (!Form3->Image1->Visible()) return;
  KillTimer(nullptr, id);
  Form3->Close();
}

TEST_F(InfoCommand, ShowsTheInfoBoxModallyWithTheHelpInTahoma) {
  OpenWindow(320, 240);
  Form3 = New<TForm3>(Application);
  ProgramDir = ExtractFilePath(Application->ExeName());
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseWhenFrozen);
  form->Info1->Click();
  KillTimer(nullptr, timer);
  EXPECT_EQ(Form3->Image1->Canvas()->Font()->Name(), "Tahoma");
  EXPECT_FALSE(Form3->Visible());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  Form3->Free();
  Form3 = nullptr;
}

}  // namespace
