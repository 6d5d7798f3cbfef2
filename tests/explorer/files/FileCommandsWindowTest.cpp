// The main window's file commands in process, with the real forms and the file dialogs
// answered through the responder: parameter files saved and opened from the menu, dropped
// on the window and named on the command line, refused files, palette maps with offsets,
// and images saved as BMP and JPEG and read back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <deque>
#include <fstream>
#include <vector>

#include <jpeglib.h>
#include <shlobj.h>

#include "tests/support/FileDrop.h"
#include "tests/filesave/TestDisks.h"
#include "tests/support/GuiTest.h"
#include "tests/support/TextFit.h"
#include "explorer/render/ColorSettings.h"
#include "explorer/app/ExplorerState.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/files/PaletteOpenDialog.h"
#include "explorer/files/paramfile/ParamFile.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "paletteeditor/core/PaletteCodecs.h"
#include "display/DirectDrawSurface.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/windows/Menus.h"
#include "forms/controls/Panel.h"
#include "forms/controls/Label.h"

namespace {

// Answers each file dialog with the next name queued (an empty name cancels), with the
// palette offset queued beside it, and records what each dialog was asked with.
class TFileResponder : public TRecordingResponder {
public:
  struct Answer {
    std::string fileName;
    int offset = 0;
  };
  struct Asked {
    TCommonDialog* dialog;
    std::string fileName, initialDir, filter, defaultExt;
    TOpenOptions options;
    bool forceCurrentDirectory;
  };
  std::deque<Answer> answers;
  std::vector<Asked> asked;

  bool ExecuteDialog(TCommonDialog& dialog, HWND) override {
    auto& file = dynamic_cast<TOpenDialog&>(dialog);
    asked.push_back({&dialog, file.FileName, file.InitialDir, file.Filter, file.DefaultExt,
                     file.Options, ForceCurrentDirectory});
    if (answers.empty()) return false;
    const Answer a = answers.front();
    answers.pop_front();
    if (auto* palette = dynamic_cast<tpaletteopendialog*>(&dialog)) palette->SetPosition(a.offset);
    if (a.fileName.empty()) return false;
    file.FileName = a.fileName;
    return true;
  }
};

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Every setting a parameter file holds, to compare before and after.
struct TSettings {
  std::uint32_t insideColor;
  std::int32_t maxIterations;
  long double bailout;
  double red, green, blue, scale;
  long double left, top, width, height, cRe, cIm;
  std::int32_t juliaMode, paletteLoaded, paletteOffset;

  static TSettings Now() {
    return {InsideColor, MaxIterations, Bailout, RedSlope, GreenSlope, BlueSlope, ColorScale,
            ViewLeft, ViewTop, ViewWidth, ViewHeight, JuliaC.Re, JuliaC.Im, JuliaMode,
            PaletteLoaded, PaletteOffset};
  }
  bool operator==(const TSettings& o) const {
    return insideColor == o.insideColor && maxIterations == o.maxIterations &&
           bailout == o.bailout && red == o.red && green == o.green && blue == o.blue &&
           scale == o.scale && left == o.left && top == o.top && width == o.width &&
           height == o.height && cRe == o.cRe && cIm == o.cIm && juliaMode == o.juliaMode &&
           paletteLoaded == o.paletteLoaded && paletteOffset == o.paletteOffset;
  }
};

// A view that is not the default, coloured on a scale of a hundredth.
void SetOddSettings() {
  InsideColor = 0x00336699;
  MaxIterations = 321;
  Bailout = 9.5L;
  RedSlope = 1.0 / 3;
  GreenSlope = 2.7182818284590452;
  BlueSlope = 1e-7;
  ColorScale = 0.01;
  ViewLeft = -0.7436438870371587L;
  ViewTop = 0.1318259042053201L + 1e-17L;
  ViewWidth = 0.0123L;  // wide enough for every kernel: the guard stays silent
  ViewHeight = ViewWidth * 0.75L;
  JuliaC = TExtendedComplex{0.285L, -0.01L};
  JuliaMode = 0;
  PaletteOffset = 17;
}


class FileCommands : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    OpenWindow(320, 240);
  }

  // A menu command as the menu sends it, handled with everything it posts.
  void Command(TMenuItem* item) {
    PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    ASSERT_TRUE(Settle());
  }

  TFileResponder responder;
};

TEST_F(FileCommands, SaveThenOpenRestoresTheViewAndTheGradient) {
  const std::string path = TempPath("qv-gradient.qvl");
  DeleteFileA(path.c_str());
  SetOddSettings();
  const TSettings saved = TSettings::Now();
  ForceCurrentDirectory = false;
  responder.answers.push_back({path});
  Command(form->Save1);
  ASSERT_EQ(responder.asked.size(), 1u);
  const auto& a = responder.asked[0];
  EXPECT_EQ(a.dialog, form->SaveDialog1);
  EXPECT_TRUE(a.forceCurrentDirectory) << "switched on before the dialog";
  EXPECT_EQ(a.fileName, "velmar");
  EXPECT_EQ(a.initialDir, "quorvel_files");
  EXPECT_EQ(a.defaultExt, "qvl");
  EXPECT_EQ(a.filter, "Quorvel files (*.qvl)|*.qvl");
  EXPECT_TRUE(a.options.Contains(ofOverwritePrompt));
  EXPECT_TRUE(a.options.Contains(ofNoChangeDir));
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  ASSERT_EQ(bytes.size(), 144u) << "the gradient colouring has no table";
  EXPECT_EQ(std::memcmp(bytes.data(), ParamFileMagic, ParamFileMagicSize), 0);

  // Back to the defaults, then open the file through the Open command.
  InsideColor = 0;
  MaxIterations = 150;
  Bailout = 4;
  RedSlope = 8;
  GreenSlope = 16;
  BlueSlope = 24;
  ColorScale = 1.0;
  ViewLeft = -2.4L;
  ViewTop = 1.2L;
  ViewWidth = 3.2L;
  ViewHeight = 2.4L;
  JuliaC = {};
  PaletteOffset = 0;
  const int starts = renderStarts;
  responder.answers.push_back({path});
  Command(form->Open1);
  ASSERT_EQ(responder.asked.size(), 2u);
  EXPECT_EQ(responder.asked[1].dialog, form->OpenDialog1);
  EXPECT_EQ(responder.asked[1].initialDir, "quorvel_files");
  EXPECT_EQ(responder.asked[1].filter, "Quorvel files (*.qvl)|*.qvl|All files (*.*)|*.*");
  EXPECT_TRUE(TSettings::Now() == saved) << "every setting comes back exactly";
  EXPECT_EQ(ColorScale100, -1);
  EXPECT_GT(renderStarts, starts) << "the render restarts";
  // The gradient is rebuilt from the restored slopes, the inside colour set again.
  EXPECT_EQ(form->DXDraw1->ColorTable[240].rgbRed, 0x99);
  EXPECT_EQ(form->DXDraw1->ColorTable[240].rgbBlue, 0x33);
  EXPECT_EQ(form->DXDraw1->DefColorTable[240].rgbRed, 0x99);
  DeleteFileA(path.c_str());
}

TEST_F(FileCommands, ATableSavedWithAPaletteComesBackIntoBothTables) {
  const std::string path = TempPath("qv-table.qvl");
  SetOddSettings();
  PaletteLoaded = -1;
  for (int i = 0; i < 256; ++i)
    form->DXDraw1->ColorTable[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i ^ 0x5A), 0};
  responder.answers.push_back({path});
  Command(form->Save2);
  ASSERT_EQ(ReadFileBytes(path).size(), 1168u);

  PaletteLoaded = 0;
  InsideColor = 0x00010203;
  form->BuildDefaultPalette();
  responder.answers.push_back({path});
  Command(form->Open2);
  EXPECT_EQ(PaletteLoaded, -1);
  EXPECT_EQ(PaletteOffset, 17);
  for (int i = 16; i < 240; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(form->DXDraw1->ColorTable[i].rgbBlue, BYTE(i));
    EXPECT_EQ(form->DXDraw1->ColorTable[i].rgbGreen, BYTE(255 - i));
    EXPECT_EQ(form->DXDraw1->ColorTable[i].rgbRed, BYTE(i ^ 0x5A));
    EXPECT_EQ(std::memcmp(&form->DXDraw1->DefColorTable[i], &form->DXDraw1->ColorTable[i], 4), 0);
  }
  // Entries 15 and 240 come from the stored inside colour, not from the stored table.
  EXPECT_EQ(form->DXDraw1->ColorTable[240].rgbRed, 0x99);
  EXPECT_EQ(form->DXDraw1->ColorTable[240].rgbGreen, 0x66);
  EXPECT_EQ(form->DXDraw1->ColorTable[240].rgbBlue, 0x33);
  EXPECT_EQ(form->DXDraw1->ColorTable[15].rgbRed, 0x66);
  DeleteFileA(path.c_str());
}

TEST_F(FileCommands, ACancelledDialogChangesNothing) {
  const TSettings before = TSettings::Now();
  responder.answers.push_back({""});
  responder.answers.push_back({""});
  Command(form->Open1);
  Command(form->Save1);
  EXPECT_EQ(responder.asked.size(), 2u);
  EXPECT_TRUE(TSettings::Now() == before);
  EXPECT_TRUE(responder.boxes.empty());
}

struct TBadFile {
  const char* name;
  std::vector<std::uint8_t> bytes;
  const char* text;  // the box the user sees
  const char* caption;  // nullptr: the application's title, whatever the test program's is
};

std::vector<std::uint8_t> ValidFile(std::size_t size) {
  ParamFile f;
  f.MaxIterations = 999;
  f.ViewWidth = 1;
  f.ViewHeight = 1;
  std::vector<std::uint8_t> bytes = WriteParamFile(f);
  bytes.resize(size, 0);
  return bytes;
}

TEST_F(FileCommands, ARefusedFileShowsItsBoxAndChangesNothing) {
  std::vector<std::uint8_t> wrongCase = ValidFile(144);
  wrongCase[1] = 'q';
  std::vector<std::uint8_t> wrongLength = ValidFile(144);
  wrongLength[0] = 18;
  std::vector<std::uint8_t> noIterations = ValidFile(144);
  std::fill(noIterations.begin() + 22, noIterations.begin() + 26, 0xFF);  // -1
  const TBadFile files[] = {
      {"qv-bad-case.qvl", wrongCase, "Not a valid Quorvel file", "Quorvel"},
      {"qv-bad-length.qvl", wrongLength, "Not a valid Quorvel file", "Quorvel"},
      {"qv-bad-empty.qvl", {}, "Read beyond end of file", nullptr},
      {"qv-bad-julia.qvl", ValidFile(130), "Read beyond end of file", nullptr},
      {"qv-bad-table.qvl", ValidFile(600), "Read beyond end of file", nullptr},
      {"qv-bad-iterations.qvl", noIterations,
       "The iteration limit in this file is below 0; the file was not opened.", "Quorvel"},
  };
  for (const TBadFile& bad : files) {
    SCOPED_TRACE(bad.name);
    const std::string path = TempPath(bad.name);
    WriteBytes(path, bad.bytes);
    SetOddSettings();
    const TSettings before = TSettings::Now();
    responder.boxes.clear();
    responder.answers.push_back({path});
    Command(form->Open1);
    ASSERT_EQ(responder.boxes.size(), 1u);
    EXPECT_EQ(responder.boxes[0].text, bad.text);
    if (bad.caption) {
      EXPECT_EQ(responder.boxes[0].caption, bad.caption);
    }
    EXPECT_TRUE(TSettings::Now() == before) << "no setting changes";
    DeleteFileA(path.c_str());
  }
}

TEST_F(FileCommands, AMissingFileReportsTheOpenError) {
  const TSettings before = TSettings::Now();
  responder.answers.push_back({TempPath("qv-nowhere\\none.qvl")});
  Command(form->Open1);
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_NE(responder.boxes[0].text.find("none.qvl"), std::string::npos) << responder.boxes[0].text;
  EXPECT_TRUE(TSettings::Now() == before);
}

class StartupFile : public MainWindowFixture {};

TEST_F(StartupFile, TheFirstCommandLineArgumentIsOpenedAtStartUp) {
  const std::string path = TempPath("qv-startup.qvl");
  ParamFile f;
  f.Colors.InsideColor = 0x00FFFFFF;
  f.MaxIterations = 64;
  f.Bailout = 4;
  f.Colors.RedSlope = 1;
  f.Colors.GreenSlope = 2;
  f.Colors.BlueSlope = 3;
  f.ViewLeft = -2;
  f.ViewTop = 2;
  f.ViewWidth = 4;
  f.ViewHeight = 4;
  f.JuliaMode = -1;
  f.JuliaCRe = -0.8L;
  f.JuliaCIm = 0.156L;
  f.Colors.PaletteLoaded = -1;
  for (int i = 0; i < 256; ++i) f.ColorTable[i] = ColorTableEntry{BYTE(i), 7, 9, 0};
  f.Colors.PaletteOffset = 3;
  WriteBytes(path, WriteParamFile(f));
  TFileResponder responder;
  PaletteLoaded = 0;
  char* args[] = {__argv[0], const_cast<char*>(path.c_str()), nullptr};
  const int argc = __argc;
  char** argv = __argv;
  __argc = 2;
  __argv = args;
  OpenWindow(320, 240);
  __argc = argc;
  __argv = argv;
  EXPECT_EQ(MaxIterations, 64);
  EXPECT_EQ(JuliaMode, -1);
  EXPECT_EQ(JuliaC.Im, 0.156L);
  EXPECT_EQ(ViewWidth, 4.0L);
  EXPECT_EQ(PaletteLoaded, -1);
  EXPECT_EQ(PaletteOffset, 3);
  EXPECT_EQ(form->DXDraw1->ColorTable[100].rgbBlue, 100);
  EXPECT_EQ(form->DXDraw1->ColorTable[240].rgbRed, 0xFF);
  EXPECT_TRUE(responder.boxes.empty());
  // The first render is of the file's view: a count from the file's limit.
  EXPECT_LE(*std::max_element(IterBuffer.begin(), IterBuffer.end()), 64);
  PaletteLoaded = 0;
  PaletteOffset = 0;
  DeleteFileA(path.c_str());
}

// The palette-map dialog as the system shows it, with the real fonts: while it is up, a
// timer measures its "Palette Offset:" label against the room the panel gives it, then
// cancels the dialog.
struct TOffsetLabelFit {
  static TForm1* form;
  static int extent, room;
  static std::string where;
  static void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
    tpaletteopendialog* d = form->PaletteDialog;
    if (!d->Panel()->HandleAllocated() || !IsWindowVisible(d->Panel()->Handle())) return;
    KillTimer(nullptr, timer);
    extent = textfit::Extent(textfit::FontOf(d->Label()), textfit::Shown(d->Label()->Caption()));
    RECT panel;
    GetClientRect(d->Panel()->Handle(), &panel);
    room = std::min(d->Label()->Width(), static_cast<int>(panel.right) - 2 * d->Panel()->BorderWidth() - 2);
    where = "panel " + std::to_string(d->Panel()->Left()) + "," + std::to_string(d->Panel()->Top()) + " " +
            std::to_string(panel.right) + "x" + std::to_string(panel.bottom) + ", label " +
            std::to_string(d->Label()->Width()) + " wide, text " + std::to_string(extent);
    PostMessageA(GetAncestor(d->Panel()->Handle(), GA_ROOT), WM_COMMAND, IDCANCEL, 0);
  }
};
TForm1* TOffsetLabelFit::form = nullptr;
int TOffsetLabelFit::extent = -1;
int TOffsetLabelFit::room = -1;
std::string TOffsetLabelFit::where;

TEST_F(FileCommands, ThePaletteMapDialogShowsItsWholeOffsetLabel) {
  TOffsetLabelFit::form = form;
  TUserResponder* answering = SetUserResponder(nullptr);
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, &TOffsetLabelFit::Measure);
  form->Openpalettemap1->Click();
  KillTimer(nullptr, timer);
  SetUserResponder(answering);
  ASSERT_GE(TOffsetLabelFit::extent, 0) << "the dialog was not measured";
  EXPECT_LE(TOffsetLabelFit::extent, TOffsetLabelFit::room) << "\"Palette Offset:\" is cut: " << TOffsetLabelFit::where;
}

TEST_F(FileCommands, TheFirstDroppedFileIsOpenedWhateverItsExtension) {
  // A long folder name, beyond what a 100-character buffer would hold.
  const std::string folder = TempPath(std::string(90, 'd'));
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string first = folder + "\\dropped.txt";
  const std::string second = TempPath("qv-second.qvl");
  ParamFile f;
  f.MaxIterations = 777;
  f.Bailout = 16;
  f.Colors.RedSlope = f.Colors.GreenSlope = f.Colors.BlueSlope = 3;
  f.ViewLeft = -1;
  f.ViewTop = 1;
  f.ViewWidth = 2;
  f.ViewHeight = 1.5L;
  f.JuliaMode = -1;
  f.JuliaCRe = 0.25L;
  WriteBytes(first, WriteParamFile(f));
  f.MaxIterations = 555;
  WriteBytes(second, WriteParamFile(f));
  const int starts = renderStarts;
  PostMessageA(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first, second})), 0);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(MaxIterations, 777);
  EXPECT_EQ(JuliaMode, -1);
  EXPECT_EQ(JuliaC.Re, 0.25L);
  EXPECT_EQ(ViewWidth, 2.0L);
  EXPECT_GT(renderStarts, starts);
  EXPECT_TRUE(responder.boxes.empty());

  // A file that is not a parameter file only shows the box.
  std::vector<std::uint8_t> bitmap(200, 0);
  bitmap[0] = 'B';
  bitmap[1] = 'M';
  WriteBytes(first, bitmap);
  PostMessageA(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first})), 0);
  ASSERT_TRUE(Settle());
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].text, "Not a valid Quorvel file");
  EXPECT_EQ(MaxIterations, 777);
  DeleteFileA(first.c_str());
  DeleteFileA(second.c_str());
  RemoveDirectoryA(folder.c_str());
}

// The palette map of the editor's writer with colour k = (k, 255 - k, 3k).
pal::Colour MapColour(int k) {
  return pal::MakeColour(BYTE(k), BYTE(255 - k), BYTE(3 * k));
}

TEST_F(FileCommands, APaletteMapIsReadWithTheChosenOffsetAndRecolours) {
  pal::PaletteColours palette{};
  for (int k = 0; k < 256; ++k) palette[k] = MapColour(k);
  const std::string path = TempPath("qv-test.map");
  WriteBytes(path, pal::EncodeMapPalette(palette));
  PaletteOffset = 9;
  ASSERT_EQ(IterBuffer[0], 1) << "the first pixel escapes at once";
  const int starts = renderStarts;
  responder.answers.push_back({path, 5});
  Command(form->Openpalettemap1);
  ASSERT_EQ(responder.asked.size(), 1u);
  EXPECT_EQ(responder.asked[0].dialog, form->PaletteDialog);
  EXPECT_EQ(responder.asked[0].initialDir, "palette_maps");
  EXPECT_TRUE(responder.asked[0].forceCurrentDirectory);
  EXPECT_EQ(form->PaletteDialog->MapOffset, 5);
  EXPECT_EQ(PaletteLoaded, -1);
  EXPECT_EQ(PaletteOffset, 0);
  for (int e = 16; e < 240; ++e) {
    const pal::Colour c = MapColour(5 + e - 16);
    EXPECT_EQ(form->DXDraw1->ColorTable[e].rgbRed, pal::RedOf(c)) << e;
    EXPECT_EQ(form->DXDraw1->ColorTable[e].rgbBlue, pal::BlueOf(c)) << e;
  }
  // Recoloured from the counts: count 1 takes entry 17, map colour 6.
  EXPECT_GT(renderStarts, starts);
  EXPECT_EQ(SurfacePixel(form->DXDraw1, 0, 0), (6u << 16) | ((255u - 6) << 8) | 18u);
  EXPECT_EQ(IterBuffer[0], 1);

  // Cancelling still takes the offset; nothing is read.
  responder.answers.push_back({"", 200});
  Command(form->OpenPaletteMap2);
  EXPECT_EQ(form->PaletteDialog->MapOffset, 200);
  EXPECT_EQ(form->DXDraw1->ColorTable[16].rgbRed, 5);
  DeleteFileA(path.c_str());
}

TEST_F(FileCommands, AOneLineMapReportsItsLineAndStillLoads) {
  const std::string path = TempPath("qv-one.map");
  WriteBytes(path, {'1', ' ', '2', ' ', '3', '\r', '\n'});
  responder.answers.push_back({path, 0});
  Command(form->Openpalettemap1);
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].text, "Error reading file in line: 0");
  EXPECT_EQ(PaletteLoaded, -1);
  DeleteFileA(path.c_str());
}

// The BMP file's size and its pixel at (x, y) as 0x00RRGGBB (24-bit, bottom-up).
struct TBmpRead {
  int width = 0, height = 0, bits = 0;
  std::vector<std::uint8_t> bytes;
  std::uint32_t Pixel(int x, int y) const {
    std::uint32_t offset;
    std::memcpy(&offset, &bytes[10], 4);
    const int stride = (width * 3 + 3) & ~3;
    const std::uint8_t* p = &bytes[offset + (height - 1 - y) * stride + 3 * x];
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
  }
};

TBmpRead ReadBmp(const std::string& path) {
  TBmpRead r;
  r.bytes = ReadFileBytes(path);
  if (r.bytes.size() < 54 || r.bytes[0] != 'B' || r.bytes[1] != 'M') return r;
  std::int32_t w, h;
  std::uint16_t bits;
  std::memcpy(&w, &r.bytes[18], 4);
  std::memcpy(&h, &r.bytes[22], 4);
  std::memcpy(&bits, &r.bytes[28], 2);
  r.width = w;
  r.height = h;
  r.bits = bits;
  return r;
}

TEST_F(FileCommands, TheImageIsSavedAsABitmapUnlessTheNameEndsInLowerCaseJpg) {
  const std::string names[] = {TempPath("qv-image.bmp"), TempPath("qv-image.JPG"),
                               TempPath("qv-image")};
  for (const std::string& path : names) {
    SCOPED_TRACE(path);
    DeleteFileA(path.c_str());
    responder.answers.push_back({path});
    Command(form->SaveImageAs2);
    const TBmpRead bmp = ReadBmp(path);
    ASSERT_EQ(bmp.width, 320);
    ASSERT_EQ(bmp.height, 240);
    EXPECT_EQ(bmp.bits, 24);
    for (const POINT p : {POINT{0, 0}, POINT{160, 120}, POINT{319, 239}, POINT{40, 200}})
      EXPECT_EQ(bmp.Pixel(p.x, p.y), SurfacePixel(form->DXDraw1, p.x, p.y)) << p.x << "," << p.y;
    DeleteFileA(path.c_str());
  }
  const auto& a = responder.asked.front();
  EXPECT_EQ(a.dialog, form->SaveDialog2);
  EXPECT_EQ(a.fileName, "velmar") << "then the name chosen last";
  EXPECT_EQ(a.defaultExt, "bmp");
  EXPECT_EQ(a.filter, "Windows Bitmap files (*.bmp)|*.bmp|JPEG files (*.jpg)|*.jpg");
  EXPECT_TRUE(a.initialDir.empty());
  EXPECT_TRUE(a.forceCurrentDirectory);
}

TEST_F(FileCommands, ALowerCaseJpgIsAProgressiveJpegAtQuality95) {
  const std::string path = TempPath("qv-image.jpg");
  responder.answers.push_back({path});
  Command(form->SaveImageAs1);
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_save_markers(&cinfo, JPEG_COM, 0);
  ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
  EXPECT_EQ(cinfo.image_width, 320u);
  EXPECT_EQ(cinfo.image_height, 240u);
  EXPECT_TRUE(cinfo.progressive_mode);
  // Quality 95 scales the standard luminance table to a tenth: its first value 16 gives 2.
  ASSERT_NE(cinfo.quant_tbl_ptrs[0], nullptr);
  EXPECT_EQ(cinfo.quant_tbl_ptrs[0]->quantval[0], 2);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  std::vector<std::uint8_t> rgb(320 * 240 * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &rgb[cinfo.output_scanline * 320 * 3];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(file);
  // Lossy, but close: the mean difference per channel against the surface stays small.
  double total = 0;
  for (int y = 0; y < 240; y += 3)
    for (int x = 0; x < 320; x += 3) {
      const std::uint32_t s = SurfacePixel(form->DXDraw1, x, y);
      const std::uint8_t* p = &rgb[(y * 320 + x) * 3];
      total += std::abs(int(p[0]) - int(s >> 16 & 0xFF)) + std::abs(int(p[1]) - int(s >> 8 & 0xFF)) +
               std::abs(int(p[2]) - int(s & 0xFF));
    }
  EXPECT_LT(total / (80 * 107 * 3), 6.0);
  DeleteFileA(path.c_str());
}

// Each writer of the user's files on a full disk and into a read-only folder: the old
// file stays whole, no new file is left beside it, and the box says what went wrong.
TEST_F(FileCommands, ASaveThatCannotCompleteLeavesTheOldFileAndSaysWhy) {
  QV_REQUIRE_TEST_DISKS();
  const struct {
    const char* what;
    TMenuItem* item;
    const char* fullName;      // an old file on the full disk
    const char* readOnlyName;  // in the read-only folder: its old file, or a new name
  } writers[] = {
      {"parameter file", form->Save1, "old.qvl", "old.bin"},
      {"bitmap", form->SaveImageAs1, "old.bmp", "old.bin"},
      {"JPEG", form->SaveImageAs1, "old.jpg", "new.jpg"},
  };
  for (const auto& w : writers) {
    SCOPED_TRACE(w.what);
    const std::string full = FullDisk() + "/" + w.fullName;
    SetFileContents(full, TextBytes("old file"));
    {
      DiskFiller filler;
      responder.boxes.clear();
      responder.answers.push_back({full});
      Command(w.item);
      ASSERT_EQ(responder.boxes.size(), 1u);
      EXPECT_NE(responder.boxes[0].text.find("the disk is full"), std::string::npos)
          << responder.boxes[0].text;
      EXPECT_EQ(FileContents(full), TextBytes("old file"));
      EXPECT_EQ(FilesIn(FullDisk()), (std::vector<std::string>{"filler", w.fullName}));
    }
    std::remove(full.c_str());

    const std::string readonly = ReadOnlyDir() + "/" + w.readOnlyName;
    const std::vector<unsigned char> before = FileContents(readonly);
    responder.boxes.clear();
    responder.answers.push_back({readonly});
    Command(w.item);
    ASSERT_EQ(responder.boxes.size(), 1u);
    EXPECT_NE(responder.boxes[0].text.find("access to the file or its folder is denied"),
              std::string::npos) << responder.boxes[0].text;
    EXPECT_EQ(FileContents(readonly), before);
    EXPECT_EQ(FilesIn(ReadOnlyDir()), std::vector<std::string>{"old.bin"});
  }
}

}  // namespace
