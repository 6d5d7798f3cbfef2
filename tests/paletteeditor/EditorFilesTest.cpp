// The main window's file commands in-process under wine: Open by each filter index,
// Save in the format opened or chosen, captions, bitmaps' colour tables, and failed
// opens that must leave the palette, the file name, the format and the caption alone.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/filesave/TestDisks.h"
#include "tests/paletteeditor/EditorTestSupport.h"
#include "paletteeditor/core/PaletteCodecs.h"
#include "paletteeditor/core/PaletteFiles.h"

namespace {

using EditorFiles = EditorTest;

// The colour table of a BMP file and its compression, read without the bitmap library.
struct BmpFacts {
  std::uint32_t compression = 0;
  std::uint16_t bitCount = 0;
  pal::PaletteColours table{};
};
BmpFacts ReadBmpFacts(const std::string& file) {
  const std::vector<std::uint8_t> b = FileBytes(file);
  BmpFacts f;
  if (b.size() < 54 + 1024) return f;
  auto u32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24; };
  f.bitCount = std::uint16_t(b[28] | b[29] << 8);
  f.compression = u32(30);
  const std::uint32_t header = u32(14);
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* q = b.data() + 14 + header + 4 * i;
    f.table[i] = pal::MakeColour(q[2], q[1], q[0]);
  }
  return f;
}

TEST_F(EditorFiles, OpenByEachFilterIndexSetsFormatNameAndCaption) {
  const struct {
    const char* file;
    int index;
    std::int32_t format;
    pal::PaletteColours want;
  } cases[] = {
      {"map/fractint_style.map", 4, pal::MapPalette, TestPalette()},
      {"jasc/gimp_style.pal", 3, pal::JascPalette, TestPalette()},
      {"jasc/comments.pal", 1, pal::JascPalette, TestPalette()},
      {"raw/ts_ra2.pal", 2, pal::RawPalette, SixBit(pal::PaletteColours{})},
  };
  for (const auto& c : cases) {
    FrmMain->SelectEntry(9);
    Open(PalData(c.file), c.index);
    EXPECT_EQ(c.format, PaletteFormat) << c.file;
    EXPECT_EQ(PalData(c.file), PaletteFileName) << c.file;
    const std::string base = std::string(c.file).substr(std::string(c.file).find('/') + 1);
    EXPECT_EQ("Palette Editor v1.2 - [ " + base + " ]", FrmMain->Caption()) << c.file;
    EXPECT_EQ(0, FrmMain->SelectedIndex()) << c.file;
    if (c.index != 2) ExpectSamePalette(c.want, WorkPalette, c.file);
    EXPECT_TRUE(responder.boxes.empty()) << c.file;
  }
  // The raw file: each byte times four.
  const std::vector<std::uint8_t> raw = FileBytes(PalData("raw/ts_ra2.pal"));
  EXPECT_EQ(pal::MakeColour(raw[3] * 4, raw[4] * 4, raw[5] * 4), WorkPalette[1]);
  EXPECT_EQ(pal::ActiveColourText(0, WorkPalette[0]), FrmMain->lblActiveColour->Caption());
}

TEST_F(EditorFiles, CancelledOpenChangesNothing) {
  const EditorState before = CurrentState();
  responder.files.push_back({false, "", 0});
  Command(FrmMain->Open1);
  ExpectSameState(before, "cancelled");
  EXPECT_EQ(1, responder.fileDialogs);
}

TEST_F(EditorFiles, OpenedFileNamesItselfOnlyAndSaveNamesTheWholePath) {
  const std::string folder = Scratch("p");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string fire = folder + "\\fire.map";
  ASSERT_TRUE(pal::SaveMapPalette(fire, TestPalette()).ok());
  Open(fire, 4);
  EXPECT_EQ("Palette Editor v1.2 - [ fire.map ]", FrmMain->Caption());
  WorkPalette[3] = 0x010203;
  Command(FrmMain->Save1);
  EXPECT_EQ("Palette Editor v1.2 - [ " + fire + " ]", FrmMain->Caption());
  pal::PaletteColours back;
  ASSERT_TRUE(pal::ReadMapPalette(fire, back).ok());
  EXPECT_EQ(0x010203u, back[3]);
  EXPECT_EQ(pal::EncodeMapPalette(back), FileBytes(fire));
}

TEST_F(EditorFiles, SaveWritesTheFormatTheFileWasOpenedIn) {
  // A JASC file and a raw file opened by detection are saved back in their own formats.
  const std::string jasc = Scratch("detected_jasc.pal"), raw = Scratch("detected_raw.pal");
  ASSERT_TRUE(pal::SaveJascPalette(jasc, TestPalette()).ok());
  ASSERT_TRUE(pal::SaveRawPalette(raw, TestPalette()).ok());
  Open(jasc, 1);
  EXPECT_EQ(pal::JascPalette, PaletteFormat);
  WorkPalette[0] = 0x0000FF;
  Command(FrmMain->Save1);
  pal::PaletteColours want = TestPalette();
  want[0] = 0x0000FF;
  EXPECT_EQ(pal::EncodeJascPalette(want), FileBytes(jasc));
  Open(raw, 1);
  EXPECT_EQ(pal::RawPalette, PaletteFormat);
  WorkPalette[0] = 0x0000FF;
  Command(FrmMain->Save1);
  want = SixBit(TestPalette());
  want[0] = 0x0000FC;
  EXPECT_EQ(pal::EncodeRawPalette(want), FileBytes(raw));
}

TEST_F(EditorFiles, SaveWithoutANameAndSaveAsCancelledWritesNothing) {
  responder.files.push_back({false, "", 0});
  Command(FrmMain->Save1);
  EXPECT_EQ(1, responder.fileDialogs);
  EXPECT_EQ("", PaletteFileName);
  EXPECT_EQ("Palette Editor v1.2 - [  ]", FrmMain->Caption());
}

TEST_F(EditorFiles, SaveWithoutANameAsksForOneAndWritesThere) {
  const std::string name = Scratch("first_save.map");
  std::remove(name.c_str());
  responder.files.push_back({true, name, 3});
  Command(FrmMain->Save1);
  EXPECT_EQ(pal::MapPalette, PaletteFormat);
  EXPECT_EQ(name, PaletteFileName);
  EXPECT_EQ("Palette Editor v1.2 - [ " + name + " ]", FrmMain->Caption());
  pal::PaletteColours def;
  pal::DefaultPalette(def);
  EXPECT_EQ(pal::EncodeMapPalette(def), FileBytes(name));
}

TEST_F(EditorFiles, SaveAsEachFormatAndReopen) {
  Open(PalData("map/fractint_style.map"), 4);
  const struct {
    const char* name;
    int saveIndex, openIndex;
    bool sixBit;
  } cases[] = {
      {"saved_raw.pal", 1, 2, true},
      {"saved_jasc.pal", 2, 3, false},
      {"saved_map.map", 3, 4, false},
      {"saved_jasc_auto.pal", 2, 1, false},
      {"saved_raw_auto.pal", 1, 1, true},
      {"saved_bitmap.bmp", 4, 5, false},
  };
  for (const auto& c : cases) {
    WorkPalette = TestPalette();
    const std::string name = Scratch(c.name);
    SaveAs(name, c.saveIndex);
    EXPECT_EQ(c.saveIndex, PaletteFormat) << c.name;
    EXPECT_EQ("Palette Editor v1.2 - [ " + name + " ]", FrmMain->Caption()) << c.name;
    Command(FrmMain->New1);
    Open(name, c.openIndex);
    ExpectSamePalette(c.sixBit ? SixBit(TestPalette()) : TestPalette(), WorkPalette, c.name);
    EXPECT_TRUE(responder.boxes.empty()) << c.name;
  }
}

// A bitmap saved by the editor holds WorkPalette itself as its colour table, all 256
// entries and unturned, whatever entry is selected in the grid.
TEST_F(EditorFiles, BitmapSaveWritesWorkPaletteUnturned) {
  for (const char* name : {"turned.bmp", "turned.dib", "upper.DIB"}) {
    WorkPalette = TestPalette();
    FrmMain->SelectEntry(5);
    const std::string file = Scratch(name);
    SaveAs(file, 4);
    const BmpFacts f = ReadBmpFacts(file);
    EXPECT_EQ(8, f.bitCount) << name;
    EXPECT_EQ(std::string(name) == "turned.bmp" ? 0u : 1u, f.compression) << name;
    ExpectSamePalette(TestPalette(), f.table, name);
  }
  // The preview keeps its own turned table.
  EXPECT_EQ(pal::RedOf(TestColour(6)), Form2->dxp1->DIB()->ColorTable[1].rgbRed);
}

TEST_F(EditorFiles, OpenBitmapTakesItsColourTableAndTheWholePreviewTable) {
  const std::string file = PalData("bmp/imagemagick_8bit.bmp");
  Open(file, 5);
  EXPECT_EQ(pal::BitmapPalette, PaletteFormat);
  EXPECT_EQ("Palette Editor v1.2 - [ imagemagick_8bit.bmp ]", FrmMain->Caption());
  ExpectSamePalette(ReadBmpFacts(file).table, WorkPalette, "bitmap");
  EXPECT_EQ(0, PreviewFirstEntry);
  EXPECT_EQ(16, Form2->dxp1->DIB()->Width());
  EXPECT_TRUE(responder.boxes.empty());
  // Entry 0 of the preview's table now takes the palette too.
  FrmMain->SelectEntry(0);
  Form2->UpdatePreview();
  EXPECT_EQ(pal::RedOf(WorkPalette[0]), Form2->dxp1->DIB()->ColorTable[0].rgbRed);
  // A 24-bit one shows the box, then its converted table is taken.
  Open(PalData("bmp/imagemagick_24bit.bmp"), 5);
  ASSERT_EQ(1u, responder.boxes.size());
  EXPECT_EQ("Not an 8 bit image", responder.boxes[0].text);
  EXPECT_EQ("Palette Editor", responder.boxes[0].caption);
  EXPECT_EQ(pal::BitmapPalette, PaletteFormat);
  pal::PaletteColours converted;
  for (int i = 0; i < 256; ++i) {
    const RGBQUAD q = Form2->dxp1->DIB()->ColorTable[i];
    converted[i] = pal::MakeColour(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  ExpectSamePalette(converted, WorkPalette, "24-bit");
  // Put the built-in picture back for the other tests.
  MakePreviewPicture(Form2->dxp1->DIB());
}

// Every way an open can fail leaves the palette, the file name, its format and the
// caption as they were, so that a later Save still writes the file really loaded.
TEST_F(EditorFiles, FailedOpensChangeNothing) {
  const std::string loaded = Scratch("really_loaded.map");
  ASSERT_TRUE(pal::SaveMapPalette(loaded, TestPalette()).ok());
  Open(loaded, 4);
  WorkPalette[7] = 0x00FF00;
  FrmMain->SelectEntry(7);
  const EditorState before = CurrentState();
  const std::string empty = Scratch("empty.bmp");
  WriteBytes(empty, "");
  const struct {
    std::string file;
    int index;
    const char* text;
    const char* caption;
  } cases[] = {
      {PalData("jasc/malformed/jasc_not_8bit.count_16.pal"), 3, "Error: Palette Must Be 8Bit(256 Colours)",
       "Load Palette Error"},
      {PalData("jasc/malformed/jasc_not_8bit.count_16.pal"), 1, "Error: Palette Must Be 8Bit(256 Colours)",
       "Load Palette Error"},
      {PalData("jasc/malformed/jasc_signature.lower_case.pal"), 3, "Error: JASC Signature Incorrect",
       "Load Palette Error"},
      {PalData("jasc/malformed/invalid_numeric.letter_in_line_100.pal"), 3, "Invalid numeric input",
       "Palette Editor"},
      {PalData("map/malformed/invalid_numeric.above_32_bits.map"), 4, "Invalid numeric input", "Palette Editor"},
      {PalData("raw/malformed/read_beyond_end.767_bytes.pal"), 2, "Read beyond end of file", "Palette Editor"},
      {PalData("raw/malformed/read_beyond_end.767_bytes.pal"), 1, "Read beyond end of file", "Palette Editor"},
      {Scratch("no_such_file.map"), 4, "File not found", "Palette Editor"},
      {PalData("map/fractint_style.map"), 5, "DIB is invalid", "Palette Editor"},
      {empty, 5, "DIB is invalid", "Palette Editor"},
  };
  for (const auto& c : cases) {
    responder.boxes.clear();
    const bool exists = FileExists(c.file);
    const std::vector<std::uint8_t> bytes = exists ? FileBytes(c.file) : std::vector<std::uint8_t>{};
    Open(c.file, c.index);
    ExpectSameState(before, c.file);
    EXPECT_EQ(7, FrmMain->SelectedIndex()) << c.file;
    ASSERT_EQ(1u, responder.boxes.size()) << c.file;
    EXPECT_EQ(c.text, responder.boxes[0].text) << c.file;
    EXPECT_EQ(c.caption, responder.boxes[0].caption) << c.file;
    if (exists) {
      EXPECT_EQ(bytes, FileBytes(c.file)) << c.file;
    }
    EXPECT_EQ(exists, FileExists(c.file)) << c.file;
  }
  EXPECT_EQ(pal::PreviewFirstEntryStart, PreviewFirstEntry);
  // Save still writes the file that was loaded, with the edit.
  Command(FrmMain->Save1);
  pal::PaletteColours back;
  ASSERT_TRUE(pal::ReadMapPalette(loaded, back).ok());
  EXPECT_EQ(0x00FF00u, back[7]);
}

// An image opened in another depth is shown converted to 8 bits: Save asks for a name,
// so that the user's picture is never replaced by the 8-bit one without a question.
TEST_F(EditorFiles, SaveAfterOpeningAConvertedImageAsksForAName) {
  const std::string picture = Scratch("picture_24bit.bmp");
  const std::vector<std::uint8_t> original = FileBytes(PalData("bmp/imagemagick_24bit.bmp"));
  WriteBytes(picture, std::string(original.begin(), original.end()));
  Open(picture, 5);
  ASSERT_EQ(pal::BitmapPalette, PaletteFormat);
  const int opened = responder.fileDialogs;
  responder.files.push_back({false, "", 0});
  Command(FrmMain->Save1);
  EXPECT_EQ(opened + 1, responder.fileDialogs) << "Save asked for a name";
  EXPECT_EQ(original, FileBytes(picture));

  const std::string copy = Scratch("picture_8bit.bmp");
  std::remove(copy.c_str());
  responder.files.push_back({true, copy, 4});
  Command(FrmMain->Save1);
  EXPECT_EQ(opened + 2, responder.fileDialogs);
  EXPECT_EQ(original, FileBytes(picture));
  EXPECT_EQ(8, ReadBmpFacts(copy).bitCount);
  // The 8-bit copy is the user's own choice: saving it again needs no question.
  Command(FrmMain->Save1);
  EXPECT_EQ(opened + 2, responder.fileDialogs);
  EXPECT_EQ(copy, PaletteFileName);
  // An 8-bit image opened is saved where it came from, as before.
  Open(copy, 5);
  Command(FrmMain->Save1);
  EXPECT_EQ(opened + 3, responder.fileDialogs);
  MakePreviewPicture(Form2->dxp1->DIB());
}

// Every save of the editor, palette or bitmap, on a full disk and into a read-only
// folder: the old file stays whole, no new file is left, and the box says why.
TEST_F(EditorFiles, AFullDiskOrAReadOnlyFolderLeavesTheOldFile) {
  QV_REQUIRE_TEST_DISKS();
  const struct {
    int filterIndex;
    const char* fullText;
    const char* readOnlyText;
  } formats[] = {
      {1, "Disk full", "File access denied"},
      {2, "Disk full", "File access denied"},
      {3, "Disk full", "File access denied"},
      {4, "the disk is full", "access to the file or its folder is denied"},
  };
  const std::string full = FullDisk() + "/old.file", readonly = ReadOnlyDir() + "/old.bin";
  SetFileContents(full, TextBytes("old file"));
  {
    DiskFiller filler;
    for (const auto& f : formats) {
      for (const std::string& target : {full, readonly}) {
        const std::string dir = target == full ? FullDisk() : ReadOnlyDir();
        const std::vector<std::string> files = FilesIn(dir);
        responder.boxes.clear();
        SaveAs(target, f.filterIndex);
        ASSERT_EQ(1u, responder.boxes.size()) << target << " " << f.filterIndex;
        EXPECT_NE(std::string::npos,
                  responder.boxes[0].text.find(target == full ? f.fullText : f.readOnlyText))
            << responder.boxes[0].text;
        EXPECT_EQ(TextBytes("old file"), FileContents(target)) << f.filterIndex;
        EXPECT_EQ(files, FilesIn(dir)) << f.filterIndex;
      }
    }
  }
  std::remove(full.c_str());
}

TEST_F(EditorFiles, AFailedSaveRaisesAndKeepsTheCaption) {
  const std::string folder = Scratch("missing folder");
  SaveAs(folder + "\\x.map", 3);
  ASSERT_EQ(1u, responder.boxes.size());
  EXPECT_EQ("Path not found", responder.boxes[0].text);
  EXPECT_EQ("Palette Editor v1.2 - [ Untitled ]", FrmMain->Caption());
}

}  // namespace
