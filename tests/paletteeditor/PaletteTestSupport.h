// Helpers of the palette tests: the palette the valid data files hold (the same formula
// as tests/data/pal/make_files.py), file bytes, scratch files, and comparing palettes so
// that a mismatch names the entry.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"
#include "paletteeditor/core/PaletteTypes.h"

inline pal::Colour TestColour(int i) {
  return pal::MakeColour(std::uint8_t(i), std::uint8_t((i * 37 + 11) % 256),
                         std::uint8_t(255 - (i * 5) % 256));
}

inline pal::PaletteColours TestPalette() {
  pal::PaletteColours p;
  for (int i = 0; i < pal::PaletteSize; ++i) p[i] = TestColour(i);
  return p;
}

// A palette no file holds: what a failed read must leave in place.
inline pal::PaletteColours MarkedPalette() {
  pal::PaletteColours p;
  for (int i = 0; i < pal::PaletteSize; ++i) p[i] = 0x00A5C3E1u ^ std::uint32_t(i * 0x010203);
  return p;
}

// Every channel with its two low bits cleared, as a raw palette keeps it.
inline pal::PaletteColours SixBit(pal::PaletteColours p) {
  for (pal::Colour& c : p) c &= 0x00FCFCFCu;
  return p;
}

inline std::string PalData(const std::string& rel) { return std::string(QV_TEST_DATA) + "/pal/" + rel; }

inline std::vector<std::uint8_t> FileBytes(const std::string& path) {
  EXPECT_TRUE(std::ifstream(path).good()) << path;
  return ReadFileBytes(path);
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  ASSERT_TRUE(out) << path;
}

// A file name in the test's own scratch folder (made by CMake in the build tree).
inline std::string Scratch(const std::string& name) { return std::string(QV_SCRATCH_DIR) + "/" + name; }

inline void ExpectSamePalette(const pal::PaletteColours& want, const pal::PaletteColours& got,
                              const std::string& what = "") {
  int mismatches = 0;
  for (int i = 0; i < pal::PaletteSize && mismatches < 5; ++i)
    if (want[i] != got[i]) {
      ++mismatches;
      ADD_FAILURE() << what << " entry " << i << ": want 0x" << std::hex << want[i] << ", got 0x"
                    << got[i];
    }
}
