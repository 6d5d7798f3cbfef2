// The malformed palette files of tests/data/pal/<reader>/malformed, each named
// "<code name>.<fault>.<ext>": the reader of its folder fails with that code and leaves
// the palette it was given exactly as it was.
#include <gtest/gtest.h>

#include <string>

#include "tests/paletteeditor/PaletteTestSupport.h"
#include "paletteeditor/core/PaletteFiles.h"

namespace {

class MalformedPalette : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedPalette, FailsWithTheCodeItIsNamedForAndChangesNothing) {
  const std::string rel = GetParam();
  const std::string reader = rel.substr(0, rel.find('/'));
  const std::string base = rel.substr(rel.rfind('/') + 1);
  const std::string stem = base.substr(0, base.find('.'));
  int expected = -1;
  for (int c = 0; c < int(pal::Code::Count); ++c)
    if (stem == pal::Describe(pal::Code(c)).name) expected = c;
  ASSERT_GT(expected, int(pal::Code::Ok)) << "no failure code is named " << stem;

  pal::PaletteColours p = MarkedPalette();
  pal::Status s;
  if (reader == "jasc") s = pal::ReadJascPalette(PalData(rel), p);
  else if (reader == "map") s = pal::ReadMapPalette(PalData(rel), p);
  else if (reader == "raw") s = pal::ReadRawPalette(PalData(rel), p);
  else FAIL() << "no reader for folder " << reader;
  EXPECT_EQ(pal::Describe(pal::Code(expected)).name, std::string(s.info().name)) << rel;
  ExpectSamePalette(MarkedPalette(), p, rel);
}

INSTANTIATE_TEST_SUITE_P(DataFiles, MalformedPalette, ::testing::Values(MALFORMED_PAL_FILES),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

}  // namespace
