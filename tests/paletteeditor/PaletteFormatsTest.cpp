// The three palette formats and the format detection: round trips, the bytes the writers
// produce, files in the layouts other software writes (tests/data/pal), and the header
// errors with their texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/filesave/TestDisks.h"
#include "tests/paletteeditor/PaletteTestSupport.h"
#include "paletteeditor/core/PaletteCodecs.h"
#include "paletteeditor/core/PaletteFiles.h"

namespace {

using pal::Code;
using pal::PaletteColours;

// Every channel value at least once, and neighbours that differ in their low bits.
PaletteColours AllValues() {
  PaletteColours p;
  for (int i = 0; i < pal::PaletteSize; ++i)
    p[i] = pal::MakeColour(std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3 + 1));
  return p;
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(PaletteRoundTrip, RawLosesTheTwoLowBits) {
  const std::string name = Scratch("roundtrip_raw.pal");
  ASSERT_TRUE(pal::SaveRawPalette(name, AllValues()).ok());
  EXPECT_EQ(pal::RawPaletteSize, FileBytes(name).size());
  PaletteColours back = MarkedPalette();
  ASSERT_TRUE(pal::ReadRawPalette(name, back).ok());
  ExpectSamePalette(SixBit(AllValues()), back, "raw");
}

TEST(PaletteRoundTrip, JascAndMapAreExact) {
  const struct {
    const char* name;
    pal::Status (*save)(const std::string&, const PaletteColours&);
    pal::Status (*read)(const std::string&, PaletteColours&);
  } formats[] = {
      {"roundtrip_jasc.pal", pal::SaveJascPalette, pal::ReadJascPalette},
      {"roundtrip_map.map", pal::SaveMapPalette, pal::ReadMapPalette},
  };
  for (const auto& f : formats) {
    const std::string name = Scratch(f.name);
    ASSERT_TRUE(f.save(name, AllValues()).ok()) << f.name;
    PaletteColours back = MarkedPalette();
    ASSERT_TRUE(f.read(name, back).ok()) << f.name;
    ExpectSamePalette(AllValues(), back, f.name);
  }
}

TEST(PaletteWriters, RawStoresTheTopSixBitsOfEachChannel) {
  PaletteColours p{};
  p[0] = pal::MakeColour(255, 3, 4);
  p[255] = pal::MakeColour(128, 129, 252);
  const std::vector<std::uint8_t> bytes = pal::EncodeRawPalette(p);
  ASSERT_EQ(768u, bytes.size());
  EXPECT_EQ((std::vector<std::uint8_t>{63, 0, 1}), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 3));
  EXPECT_EQ((std::vector<std::uint8_t>{32, 32, 63}), std::vector<std::uint8_t>(bytes.end() - 3, bytes.end()));
}

TEST(PaletteWriters, JascHasItsHeaderAndCrLfLinesAndNoCtrlZ) {
  PaletteColours p{};
  p[0] = pal::MakeColour(255, 0, 128);
  p[1] = pal::MakeColour(7, 10, 100);
  const std::string text = Text(pal::EncodeJascPalette(p));
  const std::string head = "JASC-PAL\r\n0100\r\n256\r\n255 0 128\r\n7 10 100\r\n0 0 0\r\n";
  EXPECT_EQ(head, text.substr(0, head.size()));
  EXPECT_EQ(std::string("0 0 0\r\n"), text.substr(text.size() - 7));
  EXPECT_EQ(259u, std::count(text.begin(), text.end(), '\n'));
  EXPECT_EQ(text.find('\x1a'), std::string::npos);
}

TEST(PaletteWriters, MapEndsWithCtrlZAfterItsLastLine) {
  const std::string text = Text(pal::EncodeMapPalette(TestPalette()));
  EXPECT_EQ("0 11 255\r\n1 48 250\r\n", text.substr(0, 20));
  EXPECT_EQ(std::string("255 230 4\r\n\x1a"), text.substr(text.size() - 12));
  EXPECT_EQ(256u, std::count(text.begin(), text.end(), '\n'));
  EXPECT_EQ(256u, std::count(text.begin(), text.end(), '\r'));
}

TEST(PaletteWriters, SaveReplacesAnExistingFile) {
  const std::string name = Scratch("replaced.map");
  WriteBytes(name, std::string(5000, 'x'));
  ASSERT_TRUE(pal::SaveMapPalette(name, TestPalette()).ok());
  EXPECT_EQ(pal::EncodeMapPalette(TestPalette()), FileBytes(name));
}

TEST(PaletteWriters, SaveIntoAMissingFolderIsAnInOutError) {
  const pal::Status s = pal::SaveJascPalette(Scratch("no such folder/x.pal"), TestPalette());
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(pal::Fault::InOutError, s.info().fault);
  EXPECT_EQ("Path not found", s.Message());
}

// A save that cannot complete leaves the old file whole and no new file beside it.
TEST(PaletteWriters, AFullDiskOrAReadOnlyFolderLeavesTheOldFile) {
  QV_REQUIRE_TEST_DISKS();
  using Save = pal::Status (*)(const std::string&, const PaletteColours&);
  const struct {
    const char* what;
    Save save;
  } writers[] = {
      {"raw", &pal::SaveRawPalette}, {"JASC", &pal::SaveJascPalette}, {"map", &pal::SaveMapPalette}};
  const std::string full = FullDisk() + "/old.pal", readonly = ReadOnlyDir() + "/old.bin";
  SetFileContents(full, TextBytes("old file"));
  {
    DiskFiller filler;
    for (const auto& w : writers) {
      const pal::Status onFull = w.save(full, TestPalette());
      EXPECT_EQ("Disk full", onFull.Message()) << w.what;
      EXPECT_EQ(TextBytes("old file"), FileContents(full)) << w.what;
      EXPECT_EQ((std::vector<std::string>{"filler", "old.pal"}), FilesIn(FullDisk())) << w.what;
      const pal::Status onReadOnly = w.save(readonly, TestPalette());
      EXPECT_EQ("File access denied", onReadOnly.Message()) << w.what;
      EXPECT_EQ(TextBytes("old file"), FileContents(readonly)) << w.what;
      EXPECT_EQ(std::vector<std::string>{"old.bin"}, FilesIn(ReadOnlyDir())) << w.what;
    }
  }
  std::remove(full.c_str());
}

// Files in the layouts other programs write, read by the reader of their folder.
TEST(PaletteDataFiles, ValidFilesGiveTheirPalette) {
  PaletteColours tenLines{};
  for (int i = 0; i < 10; ++i) tenLines[i] = TestColour(i);
  PaletteColours firstOnly{};
  firstOnly[0] = TestColour(0);
  PaletteColours wrapped{};
  wrapped[0] = pal::MakeColour(0, 255, 255);   // 256 -1 511
  wrapped[1] = pal::MakeColour(0, 232, 127);   // -256 1000 -129
  const struct {
    const char* file;
    PaletteColours want;
  } cases[] = {
      {"jasc/gimp_style.pal", TestPalette()},
      {"jasc/blanks_and_tabs.pal", TestPalette()},
      {"jasc/comments.pal", TestPalette()},
      {"jasc/no_final_line_end.pal", TestPalette()},
      {"jasc/extra_lines.pal", TestPalette()},
      {"jasc/ctrl_z.pal", TestPalette()},
      {"map/fractint_style.map", TestPalette()},
      {"map/padded.map", TestPalette()},
      {"map/ten_lines.map", tenLines},
      {"map/lf_only.map", firstOnly},
      {"map/wrapped_values.map", wrapped},
  };
  for (const auto& c : cases) {
    const std::string file = c.file;
    PaletteColours got = MarkedPalette();
    const pal::Status s = file.compare(0, 5, "jasc/") == 0 ? pal::ReadJascPalette(PalData(file), got)
                                                             : pal::ReadMapPalette(PalData(file), got);
    ASSERT_TRUE(s.ok()) << file << ": " << s.Message();
    ExpectSamePalette(c.want, got, file);
  }
}

TEST(PaletteDataFiles, RawFileIsReadTimesFour) {
  PaletteColours want;
  for (int i = 0; i < 256; ++i)
    want[i] = pal::MakeColour(std::uint8_t(i % 64 * 4), std::uint8_t((i * 3) % 64 * 4),
                              std::uint8_t((63 - i % 64) * 4));
  for (const char* file : {"raw/ts_ra2.pal", "raw/oversized_1000.pal"}) {
    PaletteColours got = MarkedPalette();
    ASSERT_TRUE(pal::ReadRawPalette(PalData(file), got).ok()) << file;
    ExpectSamePalette(want, got, file);
  }
}

TEST(PaletteDataFiles, RawBytesAboveSixBitsWrapModulo256) {
  std::string bytes(768, '\0');
  bytes[0] = char(64);    // 256 -> 0
  bytes[1] = char(65);    // 260 -> 4
  bytes[2] = char(255);   // 1020 -> 252
  const std::string name = Scratch("wide_raw.pal");
  WriteBytes(name, bytes);
  PaletteColours got = MarkedPalette();
  ASSERT_TRUE(pal::ReadRawPalette(name, got).ok());
  EXPECT_EQ(pal::MakeColour(0, 4, 252), got[0]);
}

TEST(PaletteAuto, DetectsByTheFirstLine) {
  PaletteColours raw;
  const std::vector<std::uint8_t> lfOnly = FileBytes(PalData("raw/jasc_lf_only.pal"));
  for (int i = 0; i < 256; ++i)
    raw[i] = pal::MakeColour(std::uint8_t(lfOnly[3 * i] * 4), std::uint8_t(lfOnly[3 * i + 1] * 4),
                             std::uint8_t(lfOnly[3 * i + 2] * 4));
  const struct {
    const char* file;
    std::int32_t format;
    Code code;
  } cases[] = {
      {"jasc/gimp_style.pal", pal::JascPalette, Code::Ok},
      {"jasc/comments.pal", pal::JascPalette, Code::Ok},
      {"raw/ts_ra2.pal", pal::RawPalette, Code::Ok},
      // A JASC file with LF line ends fails the signature and is taken as raw.
      {"raw/jasc_lf_only.pal", pal::RawPalette, Code::Ok},
      // "JASC-PAL " and "jasc-pal" are not the signature: raw, and the file is long enough.
      {"jasc/malformed/jasc_signature.trailing_blank.pal", pal::RawPalette, Code::Ok},
      {"jasc/malformed/jasc_not_8bit.count_16.pal", pal::JascPalette, Code::JascNot8Bit},
      {"raw/malformed/read_beyond_end.767_bytes.pal", pal::RawPalette, Code::ReadBeyondEnd},
      {"raw/malformed/read_beyond_end.empty.pal", pal::RawPalette, Code::ReadBeyondEnd},
  };
  for (const auto& c : cases) {
    PaletteColours got = MarkedPalette();
    std::int32_t format = 0;
    const pal::Status s = pal::ReadPaletteAuto(PalData(c.file), got, format);
    EXPECT_EQ(c.format, format) << c.file;
    EXPECT_EQ(pal::Describe(c.code).name, std::string(s.info().name)) << c.file;
    if (std::string(c.file) == "jasc/gimp_style.pal") ExpectSamePalette(TestPalette(), got, c.file);
    if (std::string(c.file) == "raw/jasc_lf_only.pal") ExpectSamePalette(raw, got, c.file);
    if (!s.ok()) ExpectSamePalette(MarkedPalette(), got, c.file);
  }
}

TEST(PaletteMessages, HeaderErrorsAndTheirBoxes) {
  const struct {
    Code code;
    pal::Fault fault;
    const char* message;
    const char* caption;
  } cases[] = {
      {Code::JascSignature, pal::Fault::ErrorBox, "Error: JASC Signature Incorrect", "Load Palette Error"},
      {Code::JascNot8Bit, pal::Fault::ErrorBox, "Error: Palette Must Be 8Bit(256 Colours)",
       "Load Palette Error"},
      {Code::GradientSameIndex, pal::Fault::ErrorBox,
       "Error: PaletteGradient Needs Start Num And \r\rEnd Num To Be Different Numbers",
       "PaletteGradient Input Error"},
      {Code::GradientReversed, pal::Fault::ErrorBox,
       "Error: PaletteGradient Needs Start Num And \r\rEnd Num To Be Different Numbers",
       "PaletteGradient Input Error"},
      {Code::ReadBeyondEnd, pal::Fault::InOutError, "Read beyond end of file", ""},
      {Code::InvalidNumeric, pal::Fault::InOutError, "Invalid numeric input", ""},
      {Code::FileNotFound, pal::Fault::InOutError, "File not found", ""},
  };
  for (const auto& c : cases) {
    const pal::CodeInfo& info = pal::Describe(c.code);
    EXPECT_EQ(c.fault, info.fault) << info.name;
    EXPECT_EQ(c.message, pal::Fail(c.code).Message()) << info.name;
    EXPECT_STREQ(c.caption, info.caption) << info.name;
  }
  EXPECT_EQ("I/O error 5", pal::Fail(Code::IoFailed, 5).Message());
}

TEST(PaletteMessages, TableRowsFollowTheCodes) {
  for (int c = 0; c < int(Code::Count); ++c) EXPECT_EQ(Code(c), pal::Describe(Code(c)).code) << c;
}

TEST(PaletteFiles, AMissingFileIsFileNotFound) {
  PaletteColours got = MarkedPalette();
  std::int32_t format = 77;
  EXPECT_EQ(Code::FileNotFound, pal::ReadMapPalette(Scratch("missing.map"), got).code);
  EXPECT_EQ(Code::FileNotFound, pal::ReadPaletteAuto(Scratch("missing.pal"), got, format).code);
  EXPECT_EQ(77, format);
  ExpectSamePalette(MarkedPalette(), got);
}

// The edge cases of a single colour line.
TEST(PaletteLines, ColourLineForms) {
  const struct {
    const char* line;
    pal::Colour want;
  } cases[] = {
      {"255 0 128 followed by any words", pal::MakeColour(255, 0, 128)},
      {"  \t255 \t 0     128", pal::MakeColour(255, 0, 128)},
      {"256 -1 0", pal::MakeColour(0, 255, 0)},
      {"1\r\n2\r\n3", pal::MakeColour(1, 2, 3)},  // the values may spread over lines
  };
  for (const auto& c : cases) {
    const std::string text = std::string(c.line) + "\r\n";
    pal::MemorySource source(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    PaletteColours got = MarkedPalette();
    ASSERT_TRUE(pal::DecodeMapPalette(source, got).ok()) << c.line;
    EXPECT_EQ(c.want, got[0]) << c.line;
    EXPECT_EQ(0u, got[1]) << c.line;
  }
}

}  // namespace
