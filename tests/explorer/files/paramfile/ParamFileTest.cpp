// The parameter-file codec: the layout byte by byte against files built by hand, round
// trips of every version, the scale marker, exactness of slopes and extended values, and
// every failure with its message and with the caller's struct left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "tests/explorer/files/paramfile/ParamFileTestSupport.h"

namespace {

// The entry the golden table holds at i.
ColorTableEntry GoldenEntry(int i) {
  return ColorTableEntry{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0x5A};
}

ParamFile GoldenParamFile(bool table) {
  ParamFile f;
  f.Colors.InsideColor = 0x00332211;
  f.MaxIterations = 150;
  f.Bailout = 4.0L;
  f.Colors.RedSlope = 0.1;
  f.Colors.GreenSlope = 16;
  f.Colors.BlueSlope = 24;
  f.Colors.ColorScale = 0.01;
  f.ViewLeft = -2.4L;
  f.ViewTop = 1.2L;
  f.ViewWidth = 3.2L;
  f.ViewHeight = 2.4L;
  f.JuliaCRe = -0.75L;
  f.JuliaCIm = 0.1L;
  f.JuliaMode = -1;
  f.Colors.PaletteLoaded = table ? -1 : 0;
  if (table)
    for (int i = 0; i < ColorTableSize; ++i) f.ColorTable[i] = GoldenEntry(i);
  f.Colors.PaletteOffset = -5;
  return f;
}

// GoldenParamFile's bytes, from the layout.
std::vector<std::uint8_t> GoldenBytes(bool table) {
  QvlBytes q;
  q.Magic()
      .Le32(0x00332211)                       // InsideColor
      .Le32(150)                              // MaxIterations
      .Ext(0, 0x4001, 0x8000000000000000)     // Bailout 4
      .Ext(0, 0x3FFB, 0xCCCCCCCCCCCCD000)     // RedSlope: the double 0.1 widened
      .Ext(0, 0x4003, 0x8000000000000000)     // GreenSlope 16
      .Ext(0, 0x4003, 0xC000000000000000)     // BlueSlope 24
      .Ext(0, 0x4005, 0xC800000000000000)     // scale marker 100
      .Ext(1, 0x4000, 0x999999999999999A)     // ViewLeft -2.4 in full extended precision
      .Ext(0, 0x3FFF, 0x999999999999999A)     // ViewTop 1.2
      .Ext(0, 0x4000, 0xCCCCCCCCCCCCCCCD)     // ViewWidth 3.2
      .Ext(0, 0x4000, 0x999999999999999A)     // ViewHeight 2.4
      .Ext(1, 0x3FFE, 0xC000000000000000)     // JuliaC real -0.75
      .Ext(0, 0x3FFB, 0xCCCCCCCCCCCCCCCD)     // JuliaC imaginary 0.1
      .Le32(0xFFFFFFFF);                      // JuliaMode -1
  if (table)
    for (int i = 0; i < ColorTableSize; ++i) {
      const ColorTableEntry e = GoldenEntry(i);
      q.b.insert(q.b.end(), {e.Blue, e.Green, e.Red, e.Reserved});
    }
  q.Le32(0xFFFFFFFB);                         // PaletteOffset -5
  return q.b;
}

ParamFileStatus Read(const std::vector<std::uint8_t>& bytes, ParamFile& f) {
  return ReadParamFile(bytes.data(), bytes.size(), f);
}

TEST(ParamFileLayout, MagicIsTheLengthByteAndSignature) {
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ParamFileMagic), ParamFileMagicSize),
            std::string("\x11Quorvel-drovantix"));
}

TEST(ParamFileWriter, GradientColouringWritesTheOffsetVersionByteForByte) {
  const std::vector<std::uint8_t> bytes = WriteParamFile(GoldenParamFile(false));
  ASSERT_EQ(ParamFileSizeOffset, bytes.size());
  EXPECT_EQ(GoldenBytes(false), bytes);
}

TEST(ParamFileWriter, TableColouringWritesTheTableVersionByteForByte) {
  const std::vector<std::uint8_t> bytes = WriteParamFile(GoldenParamFile(true));
  ASSERT_EQ(ParamFileSizeTable, bytes.size());
  EXPECT_EQ(GoldenBytes(true), bytes);
}

TEST(ParamFileWriter, AnyNonzeroPaletteLoadedWritesTheTable) {
  ParamFile f = GoldenParamFile(true);
  f.Colors.PaletteLoaded = 1;
  EXPECT_EQ(ParamFileSizeTable, WriteParamFile(f).size());
}

TEST(ParamFileWriter, ScaleMarkerIsOneOnlyForTheUnitScale) {
  const struct {
    double scale;
    long double marker;
  } cases[] = {{1.0, 1.0L}, {0.01, 100.0L}, {0.5, 100.0L}, {std::nan(""), 100.0L}};
  for (const auto& c : cases) {
    ParamFile f;
    f.Colors.ColorScale = c.scale;
    const std::vector<std::uint8_t> bytes = WriteParamFile(f);
    const std::vector<std::uint8_t> marker(bytes.begin() + 66, bytes.begin() + 76);
    EXPECT_EQ(ExtendedBytes(c.marker), marker) << "scale " << c.scale;
  }
}

TEST(ParamFileReader, ReadsTheHandBuiltFiles) {
  for (bool table : {false, true}) {
    ParamFile got;
    ASSERT_TRUE(Read(GoldenBytes(table), got).ok()) << "table " << table;
    ExpectSameParamFile(GoldenParamFile(table), got);
  }
}

TEST(ParamFileReader, TableVersionRoundTripsAndReplacesTheWholeTable) {
  const ParamFile saved = GoldenParamFile(true);
  ParamFile got = MarkedParamFile();
  ASSERT_TRUE(Read(WriteParamFile(saved), got).ok());
  ExpectSameParamFile(saved, got);
}

TEST(ParamFileReader, OffsetVersionRoundTripsAndKeepsTheCallersTable) {
  const ParamFile saved = GoldenParamFile(false);
  ParamFile got = MarkedParamFile();
  ASSERT_TRUE(Read(WriteParamFile(saved), got).ok());
  ParamFile want = saved;
  std::memcpy(want.ColorTable, MarkedParamFile().ColorTable, sizeof want.ColorTable);
  ExpectSameParamFile(want, got);
}

TEST(ParamFileReader, JuliaVersionKeepsJuliaSettingsWithOffsetZero) {
  std::vector<std::uint8_t> bytes = WriteParamFile(GoldenParamFile(false));
  bytes.resize(ParamFileSizeJulia);
  ParamFile got = MarkedParamFile();
  ASSERT_TRUE(Read(bytes, got).ok());
  ParamFile want = GoldenParamFile(false);
  want.Colors.PaletteOffset = 0;
  std::memcpy(want.ColorTable, MarkedParamFile().ColorTable, sizeof want.ColorTable);
  ExpectSameParamFile(want, got);
}

TEST(ParamFileReader, ViewVersionOpensInMandelbrotModeWithJuliaCZero) {
  std::vector<std::uint8_t> bytes = WriteParamFile(GoldenParamFile(true));
  bytes.resize(ParamFileSizeView);
  ParamFile got = MarkedParamFile();
  ASSERT_TRUE(Read(bytes, got).ok());
  ParamFile want = GoldenParamFile(false);
  want.JuliaMode = 0;
  want.JuliaCRe = 0;
  want.JuliaCIm = 0;
  want.Colors.PaletteOffset = 0;
  std::memcpy(want.ColorTable, MarkedParamFile().ColorTable, sizeof want.ColorTable);
  ExpectSameParamFile(want, got);
}

// Every size by the fields it holds: the Julia fields in any file longer than 116 bytes,
// the table in any longer than 144, the offset only at exactly 144 and 1168 bytes.
TEST(ParamFileReader, TheSizeDecidesWhichFieldsAreRead) {
  const std::vector<std::uint8_t> golden = GoldenBytes(true);
  const struct {
    std::size_t size;
    bool julia, table;
    std::int32_t offset;
  } cases[] = {
      {116, false, false, 0}, {140, true, false, 0},  {141, true, false, 0},
      {143, true, false, 0},  {1168, true, true, -5}, {1169, true, true, 0},
      {1172, true, true, 0},  {65536, true, true, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes(golden.begin(), golden.begin() + std::min(c.size, golden.size()));
    bytes.resize(c.size, 0x42);
    ParamFile got = MarkedParamFile();
    ASSERT_TRUE(Read(bytes, got).ok()) << c.size;
    ParamFile want = GoldenParamFile(true);
    if (!c.julia) want.JuliaMode = 0, want.JuliaCRe = 0, want.JuliaCIm = 0;
    if (!c.table) {
      want.Colors.PaletteLoaded = 0;
      std::memcpy(want.ColorTable, MarkedParamFile().ColorTable, sizeof want.ColorTable);
    }
    want.Colors.PaletteOffset = c.offset;
    SCOPED_TRACE(c.size);
    ExpectSameParamFile(want, got);
  }
  // The 144-byte version's own offset.
  ParamFile got;
  ASSERT_TRUE(Read(GoldenBytes(false), got).ok());
  EXPECT_EQ(-5, got.Colors.PaletteOffset);
}

// A limit of 1 is the smallest a file may hold; anything below is refused (see the
// failure table).
TEST(ParamFileReader, AnIterationLimitOfOneIsRead) {
  std::vector<std::uint8_t> bytes = GoldenBytes(false);
  bytes[22] = 1, bytes[23] = 0, bytes[24] = 0, bytes[25] = 0;
  ParamFile got;
  ASSERT_TRUE(Read(bytes, got).ok());
  EXPECT_EQ(1, got.MaxIterations);
}

TEST(ParamFileReader, OnlyAMarkerOfExactly100GivesTheHundredthScale) {
  const struct {
    int sign;
    std::uint16_t exponent;
    std::uint64_t mantissa;
    double scale;
  } cases[] = {
      {0, 0x4005, 0xC800000000000000, 0.01},  // 100.0
      {0, 0x3FFF, 0x8000000000000000, 1.0},   // 1.0
      {0, 0x4005, 0xC800000000000001, 1.0},   // the next extended value above 100
      {0, 0x4005, 0xC7FFFFFFFFFFFFFF, 1.0},   // the one below
      {1, 0x4005, 0xC800000000000000, 1.0},   // -100
      {0, 0x0000, 0x0000000000000000, 1.0},   // 0
      {0, 0x7FFF, 0xC000000000000000, 1.0},   // a quiet NaN
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes = GoldenBytes(false);
    QvlBytes marker;
    marker.Ext(c.sign, c.exponent, c.mantissa);
    std::copy(marker.b.begin(), marker.b.end(), bytes.begin() + 66);
    ParamFile got;
    ASSERT_TRUE(Read(bytes, got).ok());
    EXPECT_EQ(c.scale, got.Colors.ColorScale) << std::hex << c.exponent << " " << c.mantissa;
  }
}

TEST(ParamFileReader, SlopesComeBackExactly) {
  const double slopes[] = {0.1, 1.0 / 3.0, -7.25, DBL_MAX, DBL_TRUE_MIN, -0.0,
                           std::numeric_limits<double>::infinity()};
  for (double s : slopes) {
    ParamFile f;
    f.MaxIterations = 150;
    f.Colors.RedSlope = s;
    f.Colors.GreenSlope = -s;
    f.Colors.BlueSlope = s / 3;
    ParamFile got;
    ASSERT_TRUE(Read(WriteParamFile(f), got).ok());
    ExpectSameParamFile(f, got);
  }
}

// Extended fields pass through unchanged, whatever their encoding: rewriting a file that
// holds infinities, a signalling NaN with a payload, denormals and the extremes gives the
// same bytes.
TEST(ParamFileReader, ExtendedFieldsRewriteByteForByte) {
  QvlBytes q;
  q.Magic()
      .Le32(0xFF000000)
      .Le32(0x7FFFFFFF)
      .Ext(0, 0x7FFF, 0xA123456789ABCDEF)   // signalling NaN with a payload
      .Ext(0, 0x3FFB, 0xCCCCCCCCCCCCD000)   // slopes: doubles widened
      .Ext(1, 0x3FFD, 0xAAAAAAAAAAAAA800)
      .Ext(0, 0x4003, 0xC000000000000000)
      .Ext(0, 0x3FFF, 0x8000000000000000)   // scale marker 1
      .Ext(0, 0x0000, 0x0000000000000001)   // the smallest denormal
      .Ext(1, 0x7FFE, 0xFFFFFFFFFFFFFFFF)   // the most negative finite value
      .Ext(1, 0x0000, 0x0000000000000000)   // -0
      .Ext(0, 0x7FFF, 0x8000000000000000)   // infinity
      .Ext(1, 0x7FFF, 0xC000000000000001)   // a negative quiet NaN with a payload
      .Ext(0, 0x0001, 0x8000000000000000)   // the smallest normal
      .Le32(7)                               // JuliaMode taken as stored
      .Le32(0x7FFFFFFF);
  ASSERT_EQ(ParamFileSizeOffset, q.b.size());
  ParamFile got;
  ASSERT_TRUE(Read(q.b, got).ok());
  EXPECT_EQ(7, got.JuliaMode);
  EXPECT_EQ(q.b, WriteParamFile(got));
}

// Every failure, with the code, the message the main window shows and the struct untouched.
TEST(ParamFileReader, FailuresLeaveTheCallersStructAlone) {
  const std::vector<std::uint8_t> good = GoldenBytes(true);
  const auto sized = [&](std::size_t n) {
    std::vector<std::uint8_t> b(good.begin(), good.begin() + std::min(n, good.size()));
    b.resize(n, 0x42);
    return b;
  };
  const auto patched = [&](std::size_t at, std::uint8_t v) {
    std::vector<std::uint8_t> b = GoldenBytes(false);
    b[at] = v;
    return b;
  };
  const auto iterations = [&](std::int32_t limit, std::size_t size = ParamFileSizeOffset) {
    std::vector<std::uint8_t> b = GoldenBytes(false);
    b.resize(size);
    QvlBytes q;
    q.Le32(static_cast<std::uint32_t>(limit));
    std::copy(q.b.begin(), q.b.end(), b.begin() + 22);
    return b;
  };
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    ParamFileCode code;
  } cases[] = {
      {"empty", {}, ParamFileCode::Truncated},
      {"17 bytes", sized(17), ParamFileCode::Truncated},
      {"17 bytes, foreign", std::vector<std::uint8_t>(17, 'x'), ParamFileCode::Truncated},
      {"magic only", sized(18), ParamFileCode::Truncated},
      {"115 bytes", sized(115), ParamFileCode::Truncated},
      {"117 bytes", sized(117), ParamFileCode::Truncated},
      {"139 bytes", sized(139), ParamFileCode::Truncated},
      {"145 bytes", sized(145), ParamFileCode::Truncated},
      {"1164 bytes", sized(1164), ParamFileCode::Truncated},
      {"1167 bytes", sized(1167), ParamFileCode::Truncated},
      {"length byte 16", patched(0, 16), ParamFileCode::BadMagic},
      {"length byte 0", patched(0, 0), ParamFileCode::BadMagic},
      {"lower-case q", patched(1, 'q'), ParamFileCode::BadMagic},
      {"last character", patched(17, 'X'), ParamFileCode::BadMagic},
      {"foreign 144 bytes", std::vector<std::uint8_t>(144, 0), ParamFileCode::BadMagic},
      {"iterations -1", iterations(-1), ParamFileCode::IterationsBelowZero},
      {"iterations -2^31", iterations(std::numeric_limits<std::int32_t>::min()), ParamFileCode::IterationsBelowZero},
      {"iterations -1, view only", iterations(-1, ParamFileSizeView), ParamFileCode::IterationsBelowZero},
  };
  // A limit of 0 is the kernels' one iteration, every point inside: it reads.
  for (std::size_t size : {ParamFileSizeView, ParamFileSizeOffset}) {
    ParamFile f = MarkedParamFile();
    ASSERT_TRUE(Read(iterations(0, size), f).ok()) << size;
    EXPECT_EQ(f.MaxIterations, 0) << size;
  }
  for (const auto& c : cases) {
    ParamFile f = MarkedParamFile();
    const ParamFileStatus st = Read(c.bytes, f);
    EXPECT_EQ(c.code, st.code) << c.what << ": " << st.info().name;
    ExpectSameParamFile(MarkedParamFile(), f);
  }
}

TEST(ParamFileStatus, MessagesAreTheOnesTheMainWindowShows) {
  const struct {
    ParamFileCode code;
    ParamFileFault fault;
    const char* message;
    const char* caption;
  } cases[] = {
      {ParamFileCode::Ok, ParamFileFault::None, "", ""},
      {ParamFileCode::BadMagic, ParamFileFault::MessageBox, "Not a valid Quorvel file", "Quorvel"},
      {ParamFileCode::Truncated, ParamFileFault::InOutError, "Read beyond end of file", ""},
      {ParamFileCode::IterationsBelowZero, ParamFileFault::MessageBox,
       "The iteration limit in this file is below 0; the file was not opened.", "Quorvel"},
  };
  for (const auto& c : cases) {
    const ParamFileCodeInfo& info = DescribeParamFileCode(c.code);
    EXPECT_EQ(c.code, info.code) << info.name;
    EXPECT_EQ(c.fault, info.fault) << info.name;
    EXPECT_STREQ(c.message, info.message);
    EXPECT_STREQ(c.caption, info.caption);
  }
}

}  // namespace
