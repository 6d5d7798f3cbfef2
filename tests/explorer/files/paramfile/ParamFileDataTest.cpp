// Parameter files kept under tests/data/qvl: the fuzzer's seeds, one of each version,
// read as such; and the malformed files, each named "<code name>-<fault>.qvl", which must
// fail with that code and leave the caller's struct alone.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/explorer/files/paramfile/ParamFileTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::uint8_t> DataFile(const std::string& path) {
  const std::string full = std::string(QV_TEST_DATA) + "/qvl/" + path;
  EXPECT_TRUE(std::ifstream(full).good()) << path;
  return ReadFileBytes(full);
}

TEST(ParamFileSeeds, EachVersionReads) {
  const struct {
    const char* name;
    std::size_t size;
    std::int32_t juliaMode, paletteLoaded, paletteOffset;
  } cases[] = {
      {"view.qvl", ParamFileSizeView, 0, 0, 0},
      {"julia.qvl", ParamFileSizeJulia, -1, 0, 0},
      {"offset.qvl", ParamFileSizeOffset, -1, 0, 3},
      {"table.qvl", ParamFileSizeTable, -1, -1, 3},
  };
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> bytes = DataFile(std::string("seeds/") + c.name);
    ASSERT_EQ(c.size, bytes.size()) << c.name;
    ParamFile f = MarkedParamFile();
    ASSERT_TRUE(ReadParamFile(bytes.data(), bytes.size(), f).ok()) << c.name;
    EXPECT_EQ(150, f.MaxIterations) << c.name;
    EXPECT_EQ(24.0, f.Colors.BlueSlope) << c.name;
    EXPECT_EQ(static_cast<long double>(-2.4), f.ViewLeft) << c.name;
    EXPECT_EQ(c.juliaMode, f.JuliaMode) << c.name;
    EXPECT_EQ(c.paletteLoaded, f.Colors.PaletteLoaded) << c.name;
    EXPECT_EQ(c.paletteOffset, f.Colors.PaletteOffset) << c.name;
  }
}

class MalformedParamFile : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedParamFile, FailsWithTheCodeItIsNamedFor) {
  const std::string name = GetParam();
  const std::string stem = name.substr(0, name.find('-'));
  int expected = -1;
  for (int c = 0; c < int(ParamFileCode::Count); ++c)
    if (stem == DescribeParamFileCode(ParamFileCode(c)).name) expected = c;
  ASSERT_GT(expected, int(ParamFileCode::Ok)) << "no failure code is named " << stem;

  const std::vector<std::uint8_t> bytes = DataFile("malformed/" + name);
  ParamFile f = MarkedParamFile();
  const ParamFileStatus st = ReadParamFile(bytes.data(), bytes.size(), f);
  EXPECT_EQ(DescribeParamFileCode(ParamFileCode(expected)).name, std::string(st.info().name));
  ExpectSameParamFile(MarkedParamFile(), f);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedParamFile, ::testing::Values(MALFORMED_QVL_FILES),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           name = name.substr(0, name.rfind('.'));
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

}  // namespace
