// The colour tables of bitmaps as palettes, under wine through the bitmap library: an
// 8-bit BMP written by ImageMagick, a 24-bit one (converted after the box), files that
// fail to load, and the preview's built-in picture.
#include <gtest/gtest.h>

#include <set>

#include "paletteeditor/palette/BitmapPalette.h"
#include "tests/support/GuiTest.h"
#include "tests/paletteeditor/PaletteTestSupport.h"
#include "paletteeditor/core/PreviewPicture.h"

namespace {

struct Freer {
  TDIB* d;
  ~Freer() { d->Free(); }
};

// The colour table as the file stores it, read without the bitmap library.
pal::PaletteColours FileColourTable(const std::vector<std::uint8_t>& file) {
  const std::uint32_t headerSize = file[14] | file[15] << 8 | file[16] << 16 | std::uint32_t(file[17]) << 24;
  pal::PaletteColours p{};
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* q = file.data() + 14 + headerSize + 4 * i;
    p[i] = pal::MakeColour(q[2], q[1], q[0]);
  }
  return p;
}

class BitmapPalette : public ::testing::Test {
 protected:
  void SetUp() override { Application->SetTitle("Palette Editor"); }
  TRecordingResponder responder;
};

TEST_F(BitmapPalette, ImageMagick8BitTableIsThePalette) {
  const std::string file = PalData("bmp/imagemagick_8bit.bmp");
  TDIB* dib = New<TDIB>();
  Freer f{dib};
  pal::PaletteColours p = MarkedPalette();
  LoadBitmapPalette(file, dib, p);
  EXPECT_TRUE(responder.boxes.empty());
  EXPECT_EQ(8, dib->BitCount());
  EXPECT_EQ(16, dib->Width());
  ExpectSamePalette(FileColourTable(FileBytes(file)), p, "table");
  // ImageMagick orders the table as it likes; it holds the 256 colours of the picture.
  const pal::PaletteColours source = TestPalette();
  EXPECT_EQ(std::set<pal::Colour>(source.begin(), source.end()), std::set<pal::Colour>(p.begin(), p.end()));
  // Each pixel's index names its own colour: pixel (x, y) of the picture is colour 16 y + x.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(TestColour(16 * y + x), p[dib->ScanLine(y)[x]]) << x << "," << y;
}

TEST_F(BitmapPalette, OtherBitCountsShowTheBoxAndAreConverted) {
  TDIB* dib = New<TDIB>();
  Freer f{dib};
  pal::PaletteColours p = MarkedPalette();
  LoadBitmapPalette(PalData("bmp/imagemagick_24bit.bmp"), dib, p);
  ASSERT_EQ(1u, responder.boxes.size());
  EXPECT_EQ("Not an 8 bit image", responder.boxes[0].text);
  EXPECT_EQ("Palette Editor", responder.boxes[0].caption);
  EXPECT_EQ(8, dib->BitCount());
  pal::PaletteColours table;
  PaletteFromColourTable(dib->ColorTable, table);
  ExpectSamePalette(table, p);
}

TEST_F(BitmapPalette, AFileThatFailsChangesNothing) {
  TDIB* dib = New<TDIB>();
  Freer f{dib};
  MakePreviewPicture(dib);
  TDIBSharedImage* before = dib->Image();
  const std::string empty = Scratch("empty.bmp");
  WriteBytes(empty, "");
  for (const std::string& file : {PalData("map/fractint_style.map"), empty, Scratch("missing.bmp"),
                                  std::string(QV_TEST_DATA) + "/bmp/malformed/truncated.pixels.bmp"}) {
    pal::PaletteColours p = MarkedPalette();
    EXPECT_ANY_THROW(LoadBitmapPalette(file, dib, p)) << file;
    EXPECT_EQ(before, dib->Image()) << file;
    ExpectSamePalette(MarkedPalette(), p, file);
  }
  EXPECT_TRUE(responder.boxes.empty());
}

TEST_F(BitmapPalette, PreviewPictureHoldsTheEscapeCounts) {
  TDIB* dib = New<TDIB>();
  Freer f{dib};
  MakePreviewPicture(dib);
  ASSERT_EQ(320, dib->Width());
  ASSERT_EQ(240, dib->Height());
  ASSERT_EQ(8, dib->BitCount());
  EXPECT_EQ(0, dib->ColorTable[0].rgbRed + dib->ColorTable[0].rgbGreen + dib->ColorTable[0].rgbBlue);
  const std::vector<std::uint8_t> counts = pal::PreviewPictureCounts();
  for (int y = 0; y < 240; y += 7)
    for (int x = 0; x < 320; x += 3) ASSERT_EQ(counts[y * 320 + x], dib->ScanLine(y)[x]) << x << "," << y;
}

}  // namespace
