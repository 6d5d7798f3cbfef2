// Helpers of the parameter-file tests: building file bytes field by field from the
// format's layout (independently of the writer), and comparing decoded structs so that a
// mismatch names the field and extended values are compared by their 10 bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "explorer/files/paramfile/ParamFile.h"

// File bytes as the layout describes them.
struct QvlBytes {
  std::vector<std::uint8_t> b;

  QvlBytes& Magic() {
    const char text[] = "Quorvel-drovantix";
    b.push_back(17);
    b.insert(b.end(), text, text + 17);
    return *this;
  }
  QvlBytes& Le32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
    return *this;
  }
  // The x87 extended format: 64-bit mantissa with its integer bit, then the 15-bit exponent
  // and the sign in the top bit of the last byte.
  QvlBytes& Ext(int sign, std::uint16_t exponent, std::uint64_t mantissa) {
    for (int i = 0; i < 8; ++i) b.push_back(std::uint8_t(mantissa >> (8 * i)));
    const std::uint16_t top = std::uint16_t(exponent | (sign ? 0x8000 : 0));
    b.push_back(std::uint8_t(top));
    b.push_back(std::uint8_t(top >> 8));
    return *this;
  }
  QvlBytes& Raw(std::uint8_t v, std::size_t n) {
    b.insert(b.end(), n, v);
    return *this;
  }
};

// The 10 bytes of an extended value.
inline std::vector<std::uint8_t> ExtendedBytes(const long double& v) {
  std::vector<std::uint8_t> bytes(10);
  std::memcpy(bytes.data(), &v, 10);
  return bytes;
}

inline void ExpectSameParamFile(const ParamFile& want, const ParamFile& got) {
  EXPECT_EQ(want.Colors.InsideColor, got.Colors.InsideColor);
  EXPECT_EQ(want.MaxIterations, got.MaxIterations);
  EXPECT_EQ(ExtendedBytes(want.Bailout), ExtendedBytes(got.Bailout)) << "Bailout";
  EXPECT_EQ(0, std::memcmp(&want.Colors.RedSlope, &got.Colors.RedSlope, sizeof(double))) << "RedSlope";
  EXPECT_EQ(0, std::memcmp(&want.Colors.GreenSlope, &got.Colors.GreenSlope, sizeof(double))) << "GreenSlope";
  EXPECT_EQ(0, std::memcmp(&want.Colors.BlueSlope, &got.Colors.BlueSlope, sizeof(double))) << "BlueSlope";
  EXPECT_EQ(want.Colors.ColorScale, got.Colors.ColorScale);
  EXPECT_EQ(ExtendedBytes(want.ViewLeft), ExtendedBytes(got.ViewLeft)) << "ViewLeft";
  EXPECT_EQ(ExtendedBytes(want.ViewTop), ExtendedBytes(got.ViewTop)) << "ViewTop";
  EXPECT_EQ(ExtendedBytes(want.ViewWidth), ExtendedBytes(got.ViewWidth)) << "ViewWidth";
  EXPECT_EQ(ExtendedBytes(want.ViewHeight), ExtendedBytes(got.ViewHeight)) << "ViewHeight";
  EXPECT_EQ(ExtendedBytes(want.JuliaCRe), ExtendedBytes(got.JuliaCRe)) << "JuliaCRe";
  EXPECT_EQ(ExtendedBytes(want.JuliaCIm), ExtendedBytes(got.JuliaCIm)) << "JuliaCIm";
  EXPECT_EQ(want.JuliaMode, got.JuliaMode);
  EXPECT_EQ(want.Colors.PaletteLoaded, got.Colors.PaletteLoaded);
  EXPECT_EQ(0, std::memcmp(want.ColorTable, got.ColorTable, sizeof want.ColorTable)) << "ColorTable";
  EXPECT_EQ(want.Colors.PaletteOffset, got.Colors.PaletteOffset);
}

// A struct in which every field differs from its reset value, for telling what a read changed.
inline ParamFile MarkedParamFile() {
  ParamFile f;
  f.Colors.InsideColor = 0x00ABCDEF;
  f.MaxIterations = 999;
  f.Bailout = 9.5L;
  f.Colors.RedSlope = 1.5;
  f.Colors.GreenSlope = 2.5;
  f.Colors.BlueSlope = 3.5;
  f.Colors.ColorScale = 0.01;
  f.ViewLeft = 11;
  f.ViewTop = 12;
  f.ViewWidth = 13;
  f.ViewHeight = 14;
  f.JuliaCRe = 15;
  f.JuliaCIm = 16;
  f.JuliaMode = -1;
  f.Colors.PaletteLoaded = -1;
  for (int i = 0; i < ColorTableSize; ++i)
    f.ColorTable[i] = ColorTableEntry{0xEE, std::uint8_t(i), 0x11, 0x22};
  f.Colors.PaletteOffset = 77;
  return f;
}
