// The editor's palette unit under wine: the core's failures reach the user as the
// runtime's input/output exception or as the message box with its caption, and a failed
// read leaves WorkPalette alone.
#include <gtest/gtest.h>

#include "tests/support/GuiTest.h"
#include "paletteeditor/palette/Palette.h"
#include "tests/paletteeditor/PaletteTestSupport.h"

namespace {

class PaletteUnit : public ::testing::Test {
 protected:
  void SetUp() override { WorkPalette = MarkedPalette(); }
  TRecordingResponder responder;
};

TEST_F(PaletteUnit, LoadsEachFormatIntoWorkPalette) {
  LoadMapPalette(PalData("map/fractint_style.map"));
  ExpectSamePalette(TestPalette(), WorkPalette, "map");
  WorkPalette = MarkedPalette();
  EXPECT_TRUE(LoadJascPalette(PalData("jasc/gimp_style.pal")));
  ExpectSamePalette(TestPalette(), WorkPalette, "jasc");
  EXPECT_EQ(2, LoadPaletteAuto(PalData("jasc/comments.pal")));
  EXPECT_EQ(1, LoadPaletteAuto(PalData("raw/ts_ra2.pal")));
  EXPECT_TRUE(responder.boxes.empty());
}

TEST_F(PaletteUnit, InOutErrorsRaiseWithTheRuntimeTexts) {
  const struct {
    const char* file;
    void (*load)(const std::string&);
    const char* message;
  } cases[] = {
      {"raw/malformed/read_beyond_end.767_bytes.pal", LoadRawPalette, "Read beyond end of file"},
      {"map/malformed/invalid_numeric.above_32_bits.map", LoadMapPalette, "Invalid numeric input"},
      {"map/malformed/invalid_numeric.hex.map", LoadMapPalette, "Invalid numeric input"},
      {"map/no such file.map", LoadMapPalette, "File not found"},
  };
  for (const auto& c : cases) {
    try {
      c.load(PalData(c.file));
      ADD_FAILURE() << c.file << " raised nothing";
    } catch (const EInOutError& e) {
      EXPECT_EQ(c.message, e.Message()) << c.file;
    }
    ExpectSamePalette(MarkedPalette(), WorkPalette, c.file);
  }
  EXPECT_THROW(LoadPaletteAuto(PalData("raw/malformed/read_beyond_end.767_bytes.pal")), EInOutError);
  EXPECT_TRUE(responder.boxes.empty());
}

TEST_F(PaletteUnit, JascHeaderErrorsAreBoxesAndReturnFalse) {
  const struct {
    const char* file;
    const char* text;
  } cases[] = {
      {"jasc/malformed/jasc_signature.trailing_blank.pal", "Error: JASC Signature Incorrect"},
      {"jasc/malformed/jasc_signature.lower_case.pal", "Error: JASC Signature Incorrect"},
      {"jasc/malformed/jasc_not_8bit.count_16.pal", "Error: Palette Must Be 8Bit(256 Colours)"},
  };
  for (const auto& c : cases) {
    responder.boxes.clear();
    EXPECT_FALSE(LoadJascPalette(PalData(c.file))) << c.file;
    ASSERT_EQ(1u, responder.boxes.size()) << c.file;
    EXPECT_EQ(c.text, responder.boxes[0].text);
    EXPECT_EQ("Load Palette Error", responder.boxes[0].caption);
    ExpectSamePalette(MarkedPalette(), WorkPalette, c.file);
  }
  responder.boxes.clear();
  EXPECT_EQ(0, LoadPaletteAuto(PalData("jasc/malformed/jasc_not_8bit.count_16.pal")));
  EXPECT_EQ(1u, responder.boxes.size());
}

TEST_F(PaletteUnit, GradientErrorBox) {
  EXPECT_FALSE(PaletteGradient(9, 9, 0, 0xFFFFFF, WorkPalette));
  EXPECT_FALSE(PaletteGradient(200, 20, 0, 0xFFFFFF, WorkPalette));
  ASSERT_EQ(2u, responder.boxes.size());
  for (const auto& box : responder.boxes) {
    EXPECT_EQ("Error: PaletteGradient Needs Start Num And \r\rEnd Num To Be Different Numbers", box.text);
    EXPECT_EQ("PaletteGradient Input Error", box.caption);
  }
  ExpectSamePalette(MarkedPalette(), WorkPalette);
  EXPECT_TRUE(PaletteGradient(0, 255, 0, 0xFFFFFF, WorkPalette));
  EXPECT_EQ(pal::Grey(77), WorkPalette[77]);
}

TEST_F(PaletteUnit, SavesWorkPalette) {
  WorkPalette = TestPalette();
  SaveMapPalette(Scratch("unit.map"));
  SaveJascPalette(Scratch("unit.pal"));
  SaveRawPalette(Scratch("unit_raw.pal"));
  pal::PaletteColours back = MarkedPalette();
  ReadMapPalette(Scratch("unit.map"), back);
  ExpectSamePalette(TestPalette(), back, "map");
  EXPECT_EQ(2, ReadPaletteAuto(Scratch("unit.pal"), back));
  ExpectSamePalette(TestPalette(), back, "jasc");
  EXPECT_EQ(1, ReadPaletteAuto(Scratch("unit_raw.pal"), back));
  ExpectSamePalette(SixBit(TestPalette()), back, "raw");
  EXPECT_THROW(SaveMapPalette(Scratch("missing folder\\x.map")), EInOutError);
}

TEST_F(PaletteUnit, DefaultPaletteFillsWorkPalette) {
  DefaultPalette();
  EXPECT_EQ(0xFFFFFFu, WorkPalette[0]);
  EXPECT_EQ(0u, WorkPalette[255]);
}

}  // namespace
