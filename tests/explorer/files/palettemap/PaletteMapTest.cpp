// The explorer's palette-map reading, natively and under wine: the runtime's number
// reading, one line's three fields, and whole maps (as the palette editor writes them and
// hand-made) rotated by offsets into entries 16 to 239.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explorer/files/palettemap/PaletteMap.h"
#include "paletteeditor/core/PaletteCodecs.h"

namespace {

struct IntegerCase {
  const char* text;
  std::int32_t value;
  std::size_t stop;
};

TEST(ReadMapInteger, ReadsAsFarAsTheDigitsGo) {
  const IntegerCase cases[] = {
      {"255", 255, 0},       {"  17", 17, 0},     {"12 34", 12, 3},   {"", 0, 1},
      {"   ", 0, 4},         {"-5", -5, 0},       {"-5 6", 5, 3},     {"+7", 7, 0},
      {"$1F", 31, 0},        {"0x1f", 31, 0},     {"0X10 2", 16, 5},  {"abc", 0, 1},
      {"9z", 9, 2},          {"2147483647", 2147483647, 0},
      {"21474836470", 2147483647, 11},  // the digit that overflows ends the number
      {"4294967306", 429496730, 10},    // 10 in 32 bits
      {"$100000001", 0x10000000, 10},   // 1 in 32 bits
      {"$FFFFFFFF", -1, 0},  {"-$80000000", INT32_MIN, 0},
      {"\t5", 0, 1},         // only character 32 counts as a blank
  };
  for (const IntegerCase& c : cases) {
    std::size_t stop = 99;
    EXPECT_EQ(ReadMapInteger(c.text, stop), c.value) << '"' << c.text << '"';
    EXPECT_EQ(stop, c.stop) << '"' << c.text << '"';
  }
}

struct LineCase {
  const char* line;
  std::int32_t red, green, blue;
};

TEST(ParseMapLine, TakesThreeFieldsOfTwelveCharacters) {
  const LineCase cases[] = {
      {"255 128 0", 255, 128, 0},
      {"  1   2   3", 1, 2, 3},
      {"10", 10, 10, 10},          // one number runs to the end: all three channels
      {"", 0, 0, 0},
      {"5 ", 5, 0, 0},             // a trailing blank ends the number before the end
      {"1 2 3 extra words", 1, 2, 3},
      {"100 100 1009999", 100, 100, 1009},  // what lies past the 12th character is lost
      {"1 2", 1, 2, 2},            // the second runs to the end: the third reads it again
      {"-1 -2 -3", 1, 2, -3},      // a sign counts only at the end of the text
      {"256 257 511", 256, 257, 511},
      {"$FF 0x10 9", 255, 16, 9},
  };
  for (const LineCase& c : cases) {
    const MapColour m = ParseMapLine(c.line);
    EXPECT_EQ(m.Red, c.red) << '"' << c.line << '"';
    EXPECT_EQ(m.Green, c.green) << '"' << c.line << '"';
    EXPECT_EQ(m.Blue, c.blue) << '"' << c.line << '"';
  }
}

// The lines a string list makes of a file: CR, LF and CR LF end a line.
std::vector<std::string> Lines(const std::vector<std::uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    start = end;
  }
  return lines;
}

// Colour k of the test palette, distinct in every channel.
pal::Colour TestColour(int k) {
  return pal::MakeColour(static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(255 - k),
                         static_cast<std::uint8_t>(k * 7));
}

pal::PaletteColours TestPalette() {
  pal::PaletteColours p{};
  for (int k = 0; k < pal::PaletteSize; ++k) p[k] = TestColour(k);
  return p;
}

struct Table {
  ColorTableEntry e[ColorTableSize];
  Table() {
    for (int i = 0; i < ColorTableSize; ++i)
      e[i] = ColorTableEntry{0xAA, 0xBB, 0xCC, static_cast<std::uint8_t>(i)};
  }
};

void ExpectEntry(const ColorTableEntry& e, pal::Colour c, int index) {
  EXPECT_EQ(e.Red, pal::RedOf(c)) << "entry " << index;
  EXPECT_EQ(e.Green, pal::GreenOf(c)) << "entry " << index;
  EXPECT_EQ(e.Blue, pal::BlueOf(c)) << "entry " << index;
  EXPECT_EQ(e.Reserved, index) << "entry " << index << ": the reserved byte is kept";
}

void ExpectUntouched(const Table& t, int index) {
  EXPECT_EQ(t.e[index].Red, 0xCC) << "entry " << index;
  EXPECT_EQ(t.e[index].Green, 0xBB) << "entry " << index;
  EXPECT_EQ(t.e[index].Blue, 0xAA) << "entry " << index;
}

TEST(ApplyPaletteMap, EditorFilesRotateByTheOffset) {
  const pal::PaletteColours palette = TestPalette();
  const std::vector<std::uint8_t> files[] = {pal::EncodeMapPalette(palette),
                                             pal::EncodeJascPalette(palette)};
  for (const auto& file : files) {
    for (const int offset : {0, 1, 40, 100, 255}) {
      Table t;
      const PaletteMapResult r = ApplyPaletteMap(Lines(file), offset, t.e);
      EXPECT_FALSE(r.Failed);
      for (int e = 16; e < 240; ++e) ExpectEntry(t.e[e], TestColour((offset + e - 16) % 256), e);
      for (const int e : {0, 15, 240, 255}) ExpectUntouched(t, e);
    }
  }
}

TEST(ApplyPaletteMap, TwoHundredFiftySixLinesWithoutCtrlZUseAllOfThem) {
  std::vector<std::string> lines;
  for (int k = 0; k < 256; ++k) lines.push_back(std::to_string(k) + " 0 0");
  Table t;
  EXPECT_FALSE(ApplyPaletteMap(lines, 250, t.e).Failed);
  EXPECT_EQ(t.e[16].Red, 250);
  EXPECT_EQ(t.e[21].Red, 255);
  EXPECT_EQ(t.e[22].Red, 0) << "wraps after colour 255";
}

TEST(ApplyPaletteMap, TheLineAfterACtrlZClosingLineIsDropped) {
  // 258 lines: 256 colours, the Ctrl-Z line, and one more.
  std::vector<std::string> lines;
  for (int k = 0; k < 256; ++k) lines.push_back(std::to_string(k));
  lines.push_back("\x1a");
  lines.push_back("9 9 9");
  Table t;
  EXPECT_FALSE(ApplyPaletteMap(lines, 200, t.e).Failed);
  EXPECT_EQ(t.e[16 + 55].Red, 255);
  EXPECT_EQ(t.e[16 + 56].Red, 0);
}

TEST(ApplyPaletteMap, ShortMapsRepeatCyclically) {
  // Three colour lines and a last line that is never taken.
  const std::vector<std::string> lines = {"1 1 1", "2 2 2", "3 3 3", "never"};
  Table t;
  EXPECT_FALSE(ApplyPaletteMap(lines, 1, t.e).Failed);
  for (int e = 16; e < 240; ++e) EXPECT_EQ(t.e[e].Red, 1 + (e - 16 + 1) % 3) << e;
  ExpectUntouched(t, 15);
  ExpectUntouched(t, 240);
}

TEST(ApplyPaletteMap, AnEarlyCtrlZLeavesTheLaterEntries) {
  std::vector<std::string> lines;
  for (int k = 0; k < 100; ++k) lines.push_back(std::to_string(k + 1));
  lines.push_back("\x1a rest");
  for (int k = 0; k < 200; ++k) lines.push_back("7");
  Table t;
  EXPECT_FALSE(ApplyPaletteMap(lines, 0, t.e).Failed);
  EXPECT_EQ(t.e[16 + 99].Red, 100);
  for (int e = 16 + 100; e < 240; ++e) ExpectUntouched(t, e);
}

TEST(ApplyPaletteMap, OnlyTheExactSignatureMarksJasc) {
  // With trailing blanks the header lines are read as colours.
  std::vector<std::string> lines = {"JASC-PAL  ", "0100", "256"};
  for (int k = 0; k < 253; ++k) lines.push_back("5 6 7");
  Table t;
  EXPECT_FALSE(ApplyPaletteMap(lines, 0, t.e).Failed);
  EXPECT_EQ(t.e[16].Red, 0) << "\"JASC-PAL  \" reads as no number";
  EXPECT_EQ(t.e[17].Red, 100) << "\"0100\"";
  EXPECT_EQ(t.e[18].Red, 0) << "256 wraps to 0";
  EXPECT_EQ(t.e[19].Red, 5);
}

TEST(ApplyPaletteMap, ValuesKeepTheirLowEightBits) {
  const std::vector<std::string> lines = {"256 257 511", "-1 300 1000", "x"};
  Table t;
  EXPECT_FALSE(ApplyPaletteMap(lines, 0, t.e).Failed);
  EXPECT_EQ(t.e[16].Red, 0);
  EXPECT_EQ(t.e[16].Green, 1);
  EXPECT_EQ(t.e[16].Blue, 255);
  EXPECT_EQ(t.e[17].Red, 1);
  EXPECT_EQ(t.e[17].Green, 44);
  EXPECT_EQ(t.e[17].Blue, 232);
}

TEST(ApplyPaletteMap, ListsWithNothingToRotateOverFailAtLineZero) {
  const std::vector<std::vector<std::string>> lists = {
      {}, {"1 2 3"}, {"JASC-PAL", "0100"}, {"JASC-PAL", "0100", "256", "4 4 4"}};
  for (const auto& lines : lists) {
    Table t;
    const PaletteMapResult r = ApplyPaletteMap(lines, 0, t.e);
    EXPECT_TRUE(r.Failed) << lines.size() << " lines";
    EXPECT_EQ(r.Line, 0);
    for (int e = 0; e < 256; ++e) ExpectUntouched(t, e);
  }
}

}  // namespace
