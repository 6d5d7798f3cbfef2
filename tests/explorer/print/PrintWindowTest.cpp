// The print and disk rendering window in process with the real main window under wine:
// a printer installed in the test prefix (PostScript into a host file, rasterised with
// ghostscript), the window's sizes, locks, up-down and preview; normal print and printer
// renders placed on the page; direct file renders, threaded and single-thread, read back
// with ImageMagick and compared with the disk render workers' own image; Cancel, the
// settings fixed at the start, leaving while workers run, and the refused sizes and
// failed saves.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "tests/support/TextFit.h"
#include "tests/support/UserInput.h"
#include "explorer/render/ColorSettings.h"
#include "explorer/render/DiskImage.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/DiskWorkers.h"
#include "tests/explorer/MainWindowFixture.h"
#include "tests/explorer/print/PrintTestSupport.h"
#include "tests/support/GuiTest.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/print/PrintWindow.h"
#include "forms/core/Consts.h"
#include "forms/windows/Menus.h"
#include "forms/dialogs/Printers.h"
#include "forms/controls/ProgressBar.h"
#include "forms/controls/StdCtrls.h"
#include "forms/runtime/Timer.h"
#include "forms/controls/UpDown.h"
#include "forms/dialogs/Dialogs.h"

namespace {

const std::string WorkDir = QV_PRINT_WORK;  // a host folder of this test's files
const std::string PrintedPs = WorkDir + "/printed.ps";

using Pixels = std::vector<std::uint8_t>;  // rows top first, 3 bytes a pixel: blue, green, red

// The disk render workers' own image of the current view at width x height, with the
// colours of the display, rendered outside the window on `workers` workers (their rows
// are stepped by the worker count; the single-thread and printer renders step as one).
Pixels WorkerImage(std::int32_t width, std::int32_t height, std::int32_t workers) {
  const std::int32_t processors = CpuCount;
  CpuCount = workers;
  SetDiskRenderSize(width & ~3, height);
  TakeDiskColors(reinterpret_cast<const ColorTableEntry*>(Form1->DXDraw1->ColorTable),
                 Form1->DXDraw1->Surface()->BitCount());
  DiskImage = new TDiskImage(width & ~3, height);
  StartDiskWorkers();
  while (!DiskWorkersEnded()) Sleep(5);
  FreeDiskWorkers();
  CpuCount = processors;
  Pixels p;
  for (std::int32_t y = 0; y < DiskImage->Height(); ++y) {
    const std::uint8_t* line = DiskImage->ScanLine(y);
    p.insert(p.end(), line, line + std::size_t(DiskImage->Width()) * 3);
  }
  delete DiskImage;
  DiskImage = nullptr;
  return p;
}

// A file read by ImageMagick, as rows of blue, green, red.
Pixels ReadWithImageMagick(const std::string& hostFile, int& width, int& height) {
  const std::string ppm = WorkDir + "/read.ppm";
  DeleteFileA(HostToWine(ppm).c_str());
  EXPECT_TRUE(RunHostScript(WorkDir, "/usr/bin/convert '" + hostFile + "' ppm:'" + ppm + "'"));
  const PpmImage image = ReadPpm(HostToWine(ppm));
  width = image.Width;
  height = image.Height;
  Pixels p(image.Pixels.size());
  for (std::size_t i = 0; i + 2 < p.size(); i += 3) {
    p[i] = std::uint8_t(image.Pixels[i + 2]);
    p[i + 1] = std::uint8_t(image.Pixels[i + 1]);
    p[i + 2] = std::uint8_t(image.Pixels[i]);
  }
  return p;
}

// What ImageMagick says of a file, by an identify format.
std::string Identify(const std::string& hostFile, const std::string& format) {
  const std::string out = WorkDir + "/identify.txt";
  EXPECT_TRUE(RunHostScript(WorkDir, "/usr/bin/identify -format '" + format + "' '" + hostFile +
                                         "' > '" + out + "'"));
  return ReadWholeFile(HostToWine(out));
}

class PrintWindow : public MainWindowFixture {
protected:
  void SetUp() override {
    CreateDirectoryA(HostToWine(WorkDir).c_str(), nullptr);
    ASSERT_TRUE(InstallTestPrinter(PrintedPs)) << "the test printer could not be installed";
    Printer()->SetPrinter(TestPrinterName, nullptr);
    OpenWindow(640, 480);
    Form1 = form;
    window = New<TForm4>(Application);
    Form4 = window;
    SizeFromPagePending = -1;
    savedMulti = UseMultiThreading;
  }
  void TearDown() override {
    UseMultiThreading = savedMulti;
    if (window) window->Free();
    window = nullptr;
    Form1 = nullptr;
    MainWindowFixture::TearDown();
  }

  void ShowWindow() {
    window->Show();
    PumpFor(30);
  }

  static void Click(TWinControl* control) { SendMessageA(control->Handle(), BM_CLICK, 0, 0); }

  // The user types text into a field that has the focus, replacing what it held.
  static void Type(TEdit* field, const std::string& text) {
    field->SetFocus();
    SendMessageA(field->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(field->Handle(), WM_CHAR, VK_BACK, 0);
    for (char c : text) SendMessageA(field->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
  }

  // Starts a direct render of the given size into the file and waits until OK is back.
  void RenderToFile(const std::string& width, const std::string& height, const std::string& hostFile,
                    bool threaded) {
    UseMultiThreading = threaded ? -1 : 0;
    window->Edit2->SetText(width);
    window->Edit3->SetText(height);
    window->Edit4->SetText(HostToWine(hostFile));
    Click(window->Button1);
    ASSERT_TRUE(PumpUntil([&] { return window->Button1->Enabled(); }, 120000));
  }

  TForm4* window = nullptr;
  std::int32_t savedMulti = 0;
};

// Pixels equal, or the first difference as "row r column c".
std::string FirstDifference(const Pixels& a, const Pixels& b, int width) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return "row " + std::to_string(i / 3 / width) + " column " + std::to_string(i / 3 % width);
  return "";
}

// Every control of the print window through the user's own input, one row each: the
// control, what the user gives it, and what the window then shows or does. The
// percentage typed into "Picture occupies" is the up-down's buddy, whose change reaches
// the window through the class library's passing on of a buddy's notifications.
TEST_F(PrintWindow, EveryControlAnswersTheUsersInput) {
  TFileAnswer answer;
  answer.name = HostToWine(WorkDir + "/picked.bmp");
  const std::string file = HostToWine(WorkDir + "/table.bmp");
  DeleteFileA(file.c_str());
  UseMultiThreading = -1;
  ShowWindow();
  const struct Row {
    const char* Control;
    const char* Input;
    std::function<void()> Give;
    std::function<void()> Expect;
  } rows[] = {
      {"RadioButton1 \"Normal Print\"", "click", [&] { ClickOn(window->RadioButton1); },
       [&] {
         EXPECT_TRUE(window->RadioButton1->Checked());
         EXPECT_FALSE(window->Edit2->Enabled());
         EXPECT_FALSE(window->CheckBox1->Enabled());
       }},
      {"Edit1 \"Picture occupies\"", "50 typed", [&] { TypeInto(window->Edit1, "50"); },
       [&] { EXPECT_EQ(PageFillFraction, 0.5L); }},
      {"UpDown1", "the upper arrow", [&] { ClickUpDownArrow(window->UpDown1, true); },
       [&] {
         EXPECT_EQ(window->Edit1->Text(), "51");
         EXPECT_EQ(PageFillFraction, 0.51L);
       }},
      {"RadioButton2 \"Direct Rendering\"", "click", [&] { ClickOn(window->RadioButton2); },
       [&] {
         EXPECT_TRUE(window->RadioButton2->Checked());
         EXPECT_TRUE(window->Edit2->Enabled());
         EXPECT_TRUE(window->Button3->Enabled());
       }},
      {"CheckBox2 \"4:3\"", "click", [&] { ClickOn(window->CheckBox2); },
       [&] { EXPECT_TRUE(window->CheckBox2->Checked()); }},
      {"Edit2 \"Width:\"", "64 typed under 4:3", [&] { TypeInto(window->Edit2, "64"); },
       [&] { EXPECT_EQ(window->Edit3->Text(), "48"); }},
      {"CheckBox3 \"16:10\"", "click", [&] { ClickOn(window->CheckBox3); },
       [&] {
         EXPECT_FALSE(window->CheckBox2->Checked());
         EXPECT_EQ(window->Edit3->Text(), "40");
       }},
      {"CheckBox4 \"16:9\"", "click", [&] { ClickOn(window->CheckBox4); },
       [&] {
         EXPECT_FALSE(window->CheckBox3->Checked());
         EXPECT_EQ(window->Edit3->Text(), "36");
       }},
      {"Edit3 \"Height:\"", "27 typed under 16:9", [&] { TypeInto(window->Edit3, "27"); },
       [&] { EXPECT_EQ(window->Edit2->Text(), "48"); }},
      {"CheckBox4 \"16:9\"", "click again", [&] { ClickOn(window->CheckBox4); },
       [&] { EXPECT_FALSE(window->CheckBox4->Checked()); }},
      {"Edit2 \"Width:\"", "a letter typed", [&] { TypeInto(window->Edit2, "x"); },
       [&] { EXPECT_EQ(window->Edit2->Text(), ""); }},
      {"CheckBox1 \"Render to File\"", "click", [&] { ClickOn(window->CheckBox1); },
       [&] {
         EXPECT_FALSE(window->CheckBox1->Checked());
         EXPECT_FALSE(window->Button3->Enabled());
         EXPECT_FALSE(window->Edit4->Enabled());
       }},
      {"CheckBox1 \"Render to File\"", "click again", [&] { ClickOn(window->CheckBox1); },
       [&] { EXPECT_TRUE(window->Edit4->Enabled()); }},
      {"Button3 \"File selection\"", "click, a name confirmed in the dialog", [&] { ClickOn(window->Button3); },
       [&] { EXPECT_EQ(window->Edit4->Text(), answer.name); }},
      {"Edit4", "a file name typed", [&] { TypeInto(window->Edit4, file); },
       [&] { EXPECT_EQ(window->Edit4->Text(), file); }},
      {"Button1 \"OK\"", "click with 32 x 24 typed", [&] {
         TypeInto(window->Edit2, "32");
         TypeInto(window->Edit3, "24");
         ClickOn(window->Button1);
       },
       [&] {
         EXPECT_TRUE(PumpUntil([&] { return window->Button1->Enabled(); }, 60000));
         EXPECT_TRUE(FileExists(file));
         EXPECT_EQ(DiskWidth, 32);
         EXPECT_EQ(DiskHeight, 24);
       }},
      {"Button2 \"Cancel\"", "click", [&] { ClickOn(window->Button2); },
       [&] { EXPECT_EQ(window->ModalResult(), mrAbort); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Control) + ": " + row.Input);
    answer.boxes.clear();
    row.Give();
    PumpFor(20);
    row.Expect();
    EXPECT_TRUE(answer.boxes.empty()) << answer.boxes[0].text;
  }
  // OK in "Normal Print" ends the window with OK, for the main window to print.
  window->SetModalResult(mrNone);
  ClickOn(window->RadioButton1);
  ClickOn(window->Button1);
  EXPECT_EQ(window->ModalResult(), mrOk);
  DeleteFileA(file.c_str());
}

TEST_F(PrintWindow, TextsFitWithTheRealFonts) {
  ShowWindow();
  window->Edit2->SetText("");  // only the captions are measured
  const auto misfits = TextMisfits(window);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
}

TEST_F(PrintWindow, FirstOpeningFillsTheSizesFromTheLandscapeOrPortraitPage) {
  const std::vector<unsigned char> landscape = LandscapeMode();
  ASSERT_FALSE(landscape.empty());
  const struct {
    const char* what;
    const std::vector<unsigned char>* mode;
    const char *width, *height, *maxWidth, *maxHeight;
    int boxLeft, boxTop, boxWidth, boxHeight;
  } cases[] = {
      {"portrait", nullptr, "2328", "1747", "2328", "3358", 36, 68, 113, 160},
      {"landscape", &landscape, "3104", "2329", "3356", "2329", 18, 84, 160, 113},
  };
  for (const auto& c : cases) {
    Printer()->SetPrinter(TestPrinterName,
                          c.mode ? reinterpret_cast<const DEVMODEA*>(c.mode->data()) : nullptr);
    SizeFromPagePending = -1;
    window->Edit2->SetText("");
    window->Edit3->SetText("");
    ShowWindow();
    EXPECT_EQ(window->Edit2->Text(), c.width) << c.what;
    EXPECT_EQ(window->Edit3->Text(), c.height) << c.what;
    EXPECT_EQ(window->Label6->Caption(), c.maxWidth) << c.what;
    EXPECT_EQ(window->Label8->Caption(), c.maxHeight) << c.what;
    // The preview is the paper at 160 pixels along its longer side, placed by orientation.
    EXPECT_EQ(window->PaintBox1->Left(), window->Bevel2->Left() + c.boxLeft) << c.what;
    EXPECT_EQ(window->PaintBox1->Top(), window->Bevel2->Top() + c.boxTop) << c.what;
    EXPECT_EQ(window->PaintBox1->Width(), c.boxWidth) << c.what;
    EXPECT_EQ(window->PaintBox1->Height(), c.boxHeight) << c.what;
    EXPECT_TRUE(window->RadioButton1->Enabled());
    window->Hide();
    // Later openings keep the user's values.
    window->Edit2->SetText("640");
    ShowWindow();
    EXPECT_EQ(window->Edit2->Text(), "640") << c.what;
    window->Hide();
  }
  Printer()->SetPrinter(TestPrinterName, nullptr);
}

TEST_F(PrintWindow, AspectLocksSetTheOtherSideWhileTheUserTypes) {
  ShowWindow();
  const struct {
    TCheckBox* lock;
    const char* typed;
    TEdit* typedInto;
    const char* width;
    const char* height;
  } cases[] = {
      {window->CheckBox4, "1000", window->Edit2, "1000", "562"},  // 562.5 to the even 562
      {window->CheckBox2, "1000", window->Edit2, "1000", "750"},
      {window->CheckBox3, "1000", window->Edit2, "1000", "625"},
      {window->CheckBox2, "600", window->Edit3, "800", "600"},
      {window->CheckBox4, "9", window->Edit3, "16", "9"},
  };
  for (const auto& c : cases) {
    c.lock->SetChecked(true);
    Type(c.typedInto, c.typed);
    EXPECT_EQ(window->Edit2->Text(), c.width) << c.typed;
    EXPECT_EQ(window->Edit3->Text(), c.height) << c.typed;
  }
}

TEST_F(PrintWindow, CheckingOneLockUnchecksTheOthersAndSetsTheHeightAtOnce) {
  ShowWindow();
  window->Edit2->SetText("1000");
  Click(window->CheckBox2);
  EXPECT_EQ(window->Edit3->Text(), "750");
  Click(window->CheckBox3);
  EXPECT_FALSE(window->CheckBox2->Checked());
  EXPECT_TRUE(window->CheckBox3->Checked());
  EXPECT_EQ(window->Edit3->Text(), "625");
  Click(window->CheckBox3);  // unchecking changes nothing else
  EXPECT_EQ(window->Edit3->Text(), "625");
  // Clearing the width, or typing a letter into it, leaves it empty and the height alone.
  Click(window->CheckBox4);
  Type(window->Edit2, "");
  EXPECT_EQ(window->Edit2->Text(), "");
  Type(window->Edit2, "x");
  EXPECT_EQ(window->Edit2->Text(), "");
  EXPECT_EQ(window->Edit3->Text(), "562");
}

TEST_F(PrintWindow, ModesEnableTheirControls) {
  ShowWindow();
  Click(window->RadioButton1);
  for (TWinControl* c : {(TWinControl*)window->Edit2, (TWinControl*)window->Edit3, (TWinControl*)window->Edit4,
                         (TWinControl*)window->CheckBox1, (TWinControl*)window->CheckBox2,
                         (TWinControl*)window->CheckBox3, (TWinControl*)window->CheckBox4,
                         (TWinControl*)window->Button3})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_TRUE(window->Edit1->Enabled());
  EXPECT_TRUE(window->UpDown1->Enabled());
  Click(window->RadioButton2);
  EXPECT_TRUE(window->Edit2->Enabled());
  EXPECT_TRUE(window->Button3->Enabled());
  Click(window->CheckBox1);
  EXPECT_FALSE(window->Button3->Enabled());
  EXPECT_FALSE(window->Edit4->Enabled());
  EXPECT_TRUE(window->CheckBox4->Enabled());
}

TEST_F(PrintWindow, ThePercentageWrapsAndMovesThePreviewPicture) {
  ShowWindow();
  // Press and release on the upper arrow.
  auto arrow = [&](bool up) {
    RECT r;
    GetClientRect(window->UpDown1->Handle(), &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(window->UpDown1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window->UpDown1->Handle(), WM_LBUTTONUP, 0, at);
  };
  window->Edit1->SetText("100");
  EXPECT_EQ(PageFillFraction, 1.0L);
  arrow(true);
  EXPECT_EQ(window->Edit1->Text(), "1");
  EXPECT_EQ(PageFillFraction, 0.01L);
  arrow(false);
  EXPECT_EQ(window->Edit1->Text(), "100");
  // At 100 % the picture (640 x 480 on a portrait page) spans the printable width: its
  // left edge in the preview is the printable area's, 3 pixels in from the paper's.
  window->PaintBox1->Repaint();
  PumpFor(50);
  HDC dc = GetDC(window->Handle());
  const int top = window->PaintBox1->Top() + 80, left = window->PaintBox1->Left();
  const COLORREF paper = GetPixel(dc, left + 1, window->PaintBox1->Top() + 10);
  const COLORREF picture = GetPixel(dc, left + 5, top);
  ReleaseDC(window->Handle(), dc);
  EXPECT_EQ(paper, RGB(255, 255, 255));
  EXPECT_NE(picture, RGB(255, 255, 255));
  // Text that is no whole number keeps the last fraction.
  window->Edit1->SetText("4x");
  EXPECT_EQ(PageFillFraction, 1.0L);
}

TEST_F(PrintWindow, WithoutAPrinterOnlyFileRenderingIsOffered) {
  RemoveTestPrinter();
  Printer()->SetPrinter("", nullptr);
  SetDefaultPrinterA(nullptr);
  ShowWindow();
  EXPECT_FALSE(window->RadioButton1->Enabled());
  EXPECT_TRUE(window->RadioButton2->Checked());
  EXPECT_TRUE(window->CheckBox1->Checked());
  EXPECT_FALSE(window->CheckBox1->Enabled());
  EXPECT_TRUE(window->Edit4->Enabled());
  EXPECT_EQ(window->Edit2->Text(), "");  // nothing to fill the sizes from
  window->Hide();
  ASSERT_TRUE(InstallTestPrinter(PrintedPs));
  Printer()->SetPrinter(TestPrinterName, nullptr);
}

// Rasterises the printed PostScript at the printer's 300 dots per inch: paper pixels.
PpmImage PrintedPage() {
  const std::string ppm = WorkDir + "/page.ppm";
  DeleteFileA(HostToWine(ppm).c_str());
  EXPECT_TRUE(RunHostScript(WorkDir, "gs -q -dSAFER -sDEVICE=ppmraw -r300 -o '" + ppm + "' '" + PrintedPs + "'"));
  return ReadPpm(HostToWine(ppm));
}

// Runs an action from the first idle pass of the modal loop.
class TOnIdle : public TObject {
public:
  explicit TOnIdle(std::function<void()> action) : action_(std::move(action)) {
    Application->OnIdle = MakeEvent(this, &TOnIdle::Idle);
  }
  ~TOnIdle() override { Application->OnIdle = nullptr; }

private:
  void Idle(TObject*, bool&) {
    Application->OnIdle = nullptr;
    action_();
  }
  std::function<void()> action_;
};

TEST_F(PrintWindow, NormalPrintPutsTheDisplayedPictureAtItsRectangle) {
  DeleteFileA(HostToWine(PrintedPs).c_str());
  // 95 %: 2212 x 1659 at (58, 849) of the printable area, which starts 75 pixels in.
  TOnIdle idle([&] {
    Click(window->RadioButton1);
    Click(window->Button1);
  });
  form->Print1Click(form->Print1);
  const PpmImage page = PrintedPage();
  ASSERT_TRUE(page.Valid());
  const int left = 75 + 58, top = 75 + 849, right = left + 2212, bottom = top + 1659;
  EXPECT_EQ(page.At(left - 2, top + 800), 0x00FFFFFFu);
  EXPECT_EQ(page.At(right + 1, top + 800), 0x00FFFFFFu);
  EXPECT_EQ(page.At(left + 1000, top - 2), 0x00FFFFFFu);
  EXPECT_EQ(page.At(left + 1000, bottom + 1), 0x00FFFFFFu);
  // The display's colours at a few places, scaled by 2212 / 640.
  HDC dc = Form1->DXDraw1->Surface()->Canvas()->Handle();
  for (const POINT p : {POINT{2, 2}, POINT{320, 240}, POINT{600, 60}, POINT{100, 400}}) {
    const COLORREF shown = GetPixel(dc, p.x, p.y);
    const std::uint32_t printed = page.At(left + int((p.x + 0.5) * 2212 / 640), top + int((p.y + 0.5) * 1659 / 480));
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(int(shown >> shift & 0xFF), int(printed >> shift & 0xFF), 3) << p.x << "," << p.y;
  }
  Form1->DXDraw1->Surface()->Canvas()->Release();
}

// The percentage field is the up-down's buddy: what the user types there is the size
// the normal print takes.
TEST_F(PrintWindow, APercentageTypedOverThe95IsTheSizeOfTheNormalPrint) {
  DeleteFileA(HostToWine(PrintedPs).c_str());
  TOnIdle idle([&] {
    EXPECT_TRUE(TypeOver(window->Edit1, "100"));
    EXPECT_EQ(PageFillFraction, 1.0L);
    ClickAt(window->RadioButton1, 6, window->RadioButton1->Height() / 2);
    ClickOn(window->Button1);
  });
  form->Print1Click(form->Print1);
  const PpmImage page = PrintedPage();
  ASSERT_TRUE(page.Valid());
  // At 100 % the picture spans the printable width (2329 pixels from 75): at 95 % it
  // would leave 58 pixels of paper on each side.
  const int middle = 75 + 3358 / 2;
  EXPECT_EQ(page.At(70, middle), 0x00FFFFFFu);
  EXPECT_NE(page.At(75 + 20, middle), 0x00FFFFFFu);
  EXPECT_NE(page.At(75 + 2329 - 20, middle), 0x00FFFFFFu);
  EXPECT_EQ(page.At(75 + 2329 + 5, middle), 0x00FFFFFFu);
}

TEST_F(PrintWindow, APrinterRenderPlacesItsFirstRowAndGroupCentred) {
  DeleteFileA(HostToWine(PrintedPs).c_str());
  ShowWindow();
  Click(window->CheckBox1);  // to the printer
  window->Edit2->SetText("42");  // 40 columns
  window->Edit3->SetText("20");
  Click(window->Button1);
  ASSERT_TRUE(window->Button1->Enabled());
  EXPECT_EQ(window->Label11->Caption().rfind("Rendered: ", 0), 0u);
  const Pixels expected = WorkerImage(40, 20, 1);
  const int ppc = DiskPixelsPerCall;
  const PpmImage page = PrintedPage();
  ASSERT_TRUE(page.Valid());
  const int firstRow = 75 + (3358 - 20) / 2;
  const int firstColumn = 75 + (2329 - 40) / (2 * ppc) * ppc;
  // The driver writes colours with two decimals: each channel within 3 of the file's.
  int same = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const std::uint8_t* e = &expected[(std::size_t(y) * 40 + x) * 3];
      const std::uint32_t printed = page.At(firstColumn + x, firstRow + y);
      same += std::abs(int(printed & 0xFF) - e[2]) <= 3 && std::abs(int(printed >> 8 & 0xFF) - e[1]) <= 3 &&
              std::abs(int(printed >> 16 & 0xFF) - e[0]) <= 3;
    }
  EXPECT_EQ(same, 40 * 20);
  for (int y = -1; y <= 20; ++y) {
    EXPECT_EQ(page.At(firstColumn - 1, firstRow + y), 0x00FFFFFFu) << y;
    EXPECT_EQ(page.At(firstColumn + 40, firstRow + y), 0x00FFFFFFu) << y;
  }
  EXPECT_EQ(page.At(firstColumn + 10, firstRow - 1), 0x00FFFFFFu);
  EXPECT_EQ(page.At(firstColumn + 10, firstRow + 20), 0x00FFFFFFu);
}

TEST_F(PrintWindow, FileRendersEqualTheWorkersImage) {
  ShowWindow();
  const struct {
    bool threaded;
    const char *width, *height;
    int w, h;
    const char* name;
  } cases[] = {
      {true, "333", "101", 332, 101, "odd.bmp"},
      {false, "333", "101", 332, 101, "odd-single.bmp"},
      {true, "2000", "1500", 2000, 1500, "large.bmp"},
      {false, "2000", "1500", 2000, 1500, "large-single.bmp"},
      {true, "1001", "7", 1000, 7, "no-extension"},  // 1001 renders 1000 columns
      {true, "3", "3", 0, 0, nullptr},
  };
  for (const auto& c : cases) {
    if (c.name == nullptr) continue;
    const std::string file = WorkDir + "/" + c.name;
    RenderToFile(c.width, c.height, file, c.threaded);
    EXPECT_EQ(ReadWholeFile(HostToWine(file)).substr(0, 2), "BM") << c.name;
    int width = 0, height = 0;
    const Pixels read = ReadWithImageMagick(file, width, height);
    EXPECT_EQ(width, c.w) << c.name;
    EXPECT_EQ(height, c.h) << c.name;
    EXPECT_EQ(FirstDifference(read, WorkerImage(c.w, c.h, c.threaded ? CpuCount : 1), c.w), "")
        << c.name;
    EXPECT_EQ(window->ProgressBar1->Position(), c.h) << c.name;
    const std::string label = window->Label11->Caption();
    EXPECT_EQ(label.rfind("Rendered: ", 0), 0u) << label;
    EXPECT_EQ(label.substr(label.size() - 5), " sec.") << label;
  }
}

TEST_F(PrintWindow, JpegIsProgressiveAtQuality95AndOtherSpellingsAreBitmaps) {
  ShowWindow();
  for (bool threaded : {true, false}) {
    const std::string file = WorkDir + (threaded ? "/large.jpg" : "/large-single.jpg");
    RenderToFile("2000", "1500", file, threaded);
    EXPECT_EQ(Identify(file, "%m %[interlace] %Q"), "JPEG JPEG 95") << file;
    int width = 0, height = 0;
    const Pixels read = ReadWithImageMagick(file, width, height);
    const Pixels reference = WorkerImage(2000, 1500, threaded ? CpuCount : 1);
    ASSERT_EQ(read.size(), reference.size());
    double difference = 0;
    for (std::size_t i = 0; i < read.size(); ++i) difference += std::abs(int(read[i]) - int(reference[i]));
    EXPECT_LT(difference / read.size(), 4.0) << file;
  }
  for (const char* name : {"capital.JPG", "long.jpeg"}) {
    const std::string file = WorkDir + "/" + name;
    RenderToFile("64", "48", file, true);
    EXPECT_EQ(ReadWholeFile(HostToWine(file)).substr(0, 2), "BM") << name;
  }
}

TEST_F(PrintWindow, FewerRowsThanProcessorsComplete) {
  ShowWindow();
  const std::string file = WorkDir + "/short.bmp";
  CpuCount = 8;
  RenderToFile("64", "3", file, true);
  int width = 0, height = 0;
  const Pixels read = ReadWithImageMagick(file, width, height);
  EXPECT_EQ(height, 3);
  EXPECT_EQ(FirstDifference(read, WorkerImage(64, 3, CpuCount), 64), "");
}

// A view whose upper rows escape at once and whose lower rows lie inside the set at a
// high limit: seconds of work, so that Cancel and the other interruptions come while the
// workers run, after the first rows are done.
struct SlowView {
  long double left = ViewLeft, top = ViewTop, height = ViewHeight;
  std::int32_t limit = RenderMaxIterations;
  SlowView() {
    ViewLeft = -0.75L;
    ViewTop = 1.5L;
    ViewHeight = 1.5L;
    RenderMaxIterations = 30000000;
  }
  ~SlowView() {
    ViewLeft = left;
    ViewTop = top;
    ViewHeight = height;
    RenderMaxIterations = limit;
  }
};

TEST_F(PrintWindow, CancelSavesTheFinishedRowsWithWhiteElsewhereAndShowsTheTime) {
  ShowWindow();
  for (bool threaded : {true, false}) {
    SlowView slow;
    const std::string file = WorkDir + (threaded ? "/cancelled.bmp" : "/cancelled-single.bmp");
    UseMultiThreading = threaded ? -1 : 0;
    window->Edit2->SetText("64");
    window->Edit3->SetText("64");
    window->Edit4->SetText(HostToWine(file));
    // Cancel arrives while the render runs: among the messages that the single-thread
    // render processes between its rows, or those of the loop the threaded one returns to.
    HWND cancel = window->Button2->Handle();
    std::thread later([cancel] {
      Sleep(400);
      PostMessageA(cancel, BM_CLICK, 0, 0);
    });
    Click(window->Button1);
    PumpFor(600);
    later.join();
    ASSERT_TRUE(PumpUntil([&] { return window->Button1->Enabled(); }, 60000));
    const std::string label = window->Label11->Caption();
    EXPECT_EQ(label.rfind("Rendered: ", 0), 0u) << label;
    int width = 0, height = 0;
    const Pixels read = ReadWithImageMagick(file, width, height);
    ASSERT_EQ(height, 64);
    // Each row is the render's up to where it stopped, and white after.
    int whiteRows = 0, fullRows = 0;
    for (int y = 0; y < 64; ++y) {
      const std::uint8_t* row = &read[std::size_t(y) * 64 * 3];
      int x = 0;
      while (x < 64 && !(row[x * 3] == 255 && row[x * 3 + 1] == 255 && row[x * 3 + 2] == 255)) ++x;
      for (int rest = x; rest < 64; ++rest)
        EXPECT_EQ(row[rest * 3] & row[rest * 3 + 1] & row[rest * 3 + 2], 255) << "row " << y << " column " << rest;
      whiteRows += x == 0;
      fullRows += x == 64;
    }
    EXPECT_GT(whiteRows, 0) << file;
    EXPECT_GT(fullRows, 0) << file;
  }
}

TEST_F(PrintWindow, ClosingTheWindowStopsASingleThreadRenderAsCancelDoes) {
  ShowWindow();
  SlowView slow;
  const std::string file = WorkDir + "/closed-single.bmp";
  UseMultiThreading = 0;
  Type(window->Edit2, "64");
  Type(window->Edit3, "64");
  Type(window->Edit4, HostToWine(file));
  // The title bar's close button arrives while the render runs, among the messages it
  // processes between its rows.
  HWND w = window->Handle();
  std::thread later([w] {
    Sleep(400);
    PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  PostClick(window->Button1->Handle());
  PumpFor(600);
  later.join();
  ASSERT_TRUE(PumpUntil([&] { return window->Button1->Enabled(); }, 60000));
  EXPECT_FALSE(window->Visible());
  int width = 0, height = 0;
  const Pixels read = ReadWithImageMagick(file, width, height);
  ASSERT_EQ(height, 64);
  // What Cancel keeps: the rows done, white after.
  int whiteRows = 0, fullRows = 0;
  for (int y = 0; y < 64; ++y) {
    const std::uint8_t* row = &read[std::size_t(y) * 64 * 3];
    int x = 0;
    while (x < 64 && !(row[x * 3] == 255 && row[x * 3 + 1] == 255 && row[x * 3 + 2] == 255)) ++x;
    whiteRows += x == 0;
    fullRows += x == 64;
  }
  EXPECT_GT(whiteRows, 0) << "the render went on after the window closed";
  EXPECT_GT(fullRows, 0);
}

TEST_F(PrintWindow, TheRenderKeepsItsSettingsWhenTheMainWindowChangesThem) {
  ShowWindow();
  const std::string file = WorkDir + "/fixed.bmp";
  RenderMaxIterations = 20000;
  ViewLeft = -0.8L;
  ViewTop = 0.4L;
  ViewHeight = 0.4L;
  const Pixels reference = WorkerImage(400, 300, CpuCount);
  UseMultiThreading = -1;
  window->Edit2->SetText("400");
  window->Edit3->SetText("300");
  window->Edit4->SetText(HostToWine(file));
  Click(window->Button1);
  window->Close();  // the title bar's close: the render goes on
  // Zoom, recolour, switch to a Julia set, change the display's table.
  const long double top = ViewTop;
  const std::int32_t offset = PaletteOffset, julia = JuliaMode;
  ViewTop = 0.1L;
  PaletteOffset += 77;
  JuliaMode = -1;
  RedSlope += 3;
  Form1->DXDraw1->ColorTable[20].rgbRed ^= 0xFF;
  ASSERT_TRUE(PumpUntil([&] { return window->Button1->Enabled(); }, 120000));
  ViewTop = top;
  PaletteOffset = offset;
  JuliaMode = julia;
  RedSlope -= 3;
  Form1->DXDraw1->ColorTable[20].rgbRed ^= 0xFF;
  int width = 0, height = 0;
  EXPECT_EQ(FirstDifference(ReadWithImageMagick(file, width, height), reference, 400), "");
}

TEST_F(PrintWindow, LeavingWhileWorkersRunStopsThemBeforeTheImageGoes) {
  ShowWindow();
  SlowView slow;
  UseMultiThreading = -1;
  window->Edit2->SetText("256");
  window->Edit3->SetText("64");
  window->Edit4->SetText(HostToWine(WorkDir + "/left.bmp"));
  Click(window->Button1);
  PumpFor(100);
  ASSERT_TRUE(window->DirectRenderRunning());
  const DWORD start = GetTickCount();
  window->Free();
  window = nullptr;
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_TRUE(DiskThreads.empty());
  EXPECT_EQ(DiskImage, nullptr);
  EXPECT_EQ(DiskProgressBar, nullptr);
}

TEST_F(PrintWindow, RefusedSizesLeaveTheWindowUsable) {
  TRecordingResponder responder;
  ShowWindow();
  const std::string file = WorkDir + "/refused.bmp";
  const struct {
    const char *width, *height, *says;
  } cases[] = {
      {"", "100", "is not a valid integer value"},
      {"100", "abc", "is not a valid integer value"},
      {"0", "100", "at least 4 pixels wide"},
      {"3", "100", "at least 4 pixels wide"},
      {"-8", "100", "at least 4 pixels wide"},
      {"100", "0", "at least 4 pixels wide"},
      {"100", "-1", "at least 4 pixels wide"},
      {"99999999999", "100", "Width and Height: the image may be at most 2147483647 pixels each way (width 99999999999, height 100)."},
      {"100", "2147483648", "Width and Height: the image may be at most 2147483647 pixels each way (width 100, height 2147483648)."},
      {"200000", "200000", ""},  // more than memory or a BMP file holds: the image's own error
  };
  for (const auto& c : cases) {
    DeleteFileA(HostToWine(file).c_str());
    responder.boxes.clear();
    window->Edit4->SetText(HostToWine(file));
    window->Edit2->SetText(c.width);
    window->Edit3->SetText(c.height);
    // The fields clear what is no number; a text the user could have left is set directly.
    SendMessageA(window->Edit2->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.width));
    SendMessageA(window->Edit3->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.height));
    Click(window->Button1);
    PumpFor(20);
    EXPECT_TRUE(window->Button1->Enabled()) << c.width << " x " << c.height;
    EXPECT_FALSE(window->DirectRenderRunning());
    ASSERT_EQ(responder.boxes.size(), 1u) << c.width << " x " << c.height;
    EXPECT_NE(responder.boxes[0].text.find(c.says), std::string::npos) << responder.boxes[0].text;
    EXPECT_FALSE(FileExists(HostToWine(file)));
  }
  RenderToFile("64", "48", file, true);  // still usable
  EXPECT_TRUE(FileExists(HostToWine(file)));
}

// The files of a folder, by name.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((HostToWine(folder) + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
      names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

TEST_F(PrintWindow, AFailedSaveLeavesNoPartialFileAndTheOldFileIntact) {
  TRecordingResponder responder;
  ShowWindow();
  const std::string folder = WorkDir + "/saves";
  CreateDirectoryA(HostToWine(folder).c_str(), nullptr);
  CreateDirectoryA(HostToWine(folder + "/taken.bmp").c_str(), nullptr);
  const std::string kept = folder + "/kept.bmp";
  WriteWholeFile(HostToWine(kept), "the old picture");
  for (const std::string& target : {folder + "/taken.bmp", kept}) {
    responder.boxes.clear();
    // The old file held open without sharing: it cannot be replaced.
    HANDLE holder = target == kept ? CreateFileA(HostToWine(kept).c_str(), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr)
                                   : INVALID_HANDLE_VALUE;
    RenderToFile("64", "48", target, true);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    ASSERT_EQ(responder.boxes.size(), 1u) << target;
    EXPECT_NE(responder.boxes[0].text.find(HostToWine(target)), std::string::npos) << responder.boxes[0].text;
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"kept.bmp", "taken.bmp"}));
  }
  EXPECT_EQ(ReadWholeFile(HostToWine(kept)), "the old picture");
}

}  // namespace
