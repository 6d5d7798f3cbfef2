// Shared by the disk render's tests: a fixture that sets the explorer's render and colour
// settings and a recognisable colour table and puts them back, and the reference
// arithmetic of a disk render, written out from the kernel exports: the counts of one
// point, the colour of a count, and the coordinates each worker gives a pixel.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ColorTable.h"
#include "explorer/render/Coloring.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/PixelPacking.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "tests/explorer/render/RenderTestSupport.h"
#include "tests/explorer/render/X87ControlWord.h"
#include "kernels/itercore.h"

class DiskFixture : public ::testing::Test {
protected:
  DiskFixture() : ControlWord(ExplorerControlWord) {
    ResetRenderGlobals();
    UseDefaultView();
    RenderMaxIterations = 150;
    RenderBailout = 4.0L;
    UseSSE2 = UseSSE = Use3DNow = 0;
    Subpixels4X = 0;
    CpuCount = 1;
    InsideColor = 0x00123456;
    ColorTableEntry table[ColorTableSize];
    for (int i = 0; i < ColorTableSize; ++i)
      table[i] = ColorTableEntry{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0};
    TakeDiskColors(table, 32);
    TakeDiskSettings();
  }
  ~DiskFixture() override {
    UseSSE2 = UseSSE = Use3DNow = 0;
    Subpixels4X = 0;
    JuliaMode = 0;
    PaletteOffset = 0;
    PaletteLoaded = 0;
  }

  // The switch that selects a kernel (none for the x87 one).
  static void SelectKernel(TRenderKernel kernel) {
    UseSSE2 = kernel == TRenderKernel::SSE2 ? -1 : 0;
    UseSSE = kernel == TRenderKernel::SSE ? -1 : 0;
    Use3DNow = kernel == TRenderKernel::ThreeDNow ? -1 : 0;
  }

  ScopedControlWord ControlWord;
};

// The count of a pixel whose point is (re, im): one call, or with subpixels the four
// quarter-pixel calls in their order, summed and shifted right by 2.
inline std::int32_t ReferencePixelCount(TRenderKernel kernel, long double re, long double im,
                                        bool subpixels) {
  if (!subpixels) return ReferenceCount(kernel, re, im);
  const long double qx = DiskStepX / 4, qy = DiskStepY / 4;
  const long double offsets[4][2] = {{-qx, -qy}, {qx, qy}, {-qx, qy}, {qx, -qy}};
  std::uint64_t sum = 0;
  for (const auto& o : offsets) sum += std::uint32_t(ReferenceCount(kernel, re + o[0], im + o[1]));
  return std::int32_t(std::uint32_t(sum >> 2));
}

// The colour value of a count by the disk's rule, written out in full.
inline std::uint32_t ReferenceColor(std::int32_t n) {
  const bool table = DiskSurfaceBitCount == 8 || PaletteLoaded != 0;
  const std::uint32_t shifted = std::uint32_t(n) + std::uint32_t(PaletteOffset);
  if (n < RenderMaxIterations) {
    if (table) return EntryColor(DiskColorTable[16 + shifted % 224]);
    return GradientColor(static_cast<long double>(static_cast<std::int32_t>(shifted)));
  }
  return table ? EntryColor(DiskColorTable[240]) : InsideColor;
}

// The imaginary coordinate of a row as a worker of `workers` reaches it: its first row's
// coordinate, then repeated subtraction of workers x step.
inline long double ReferenceRowY(std::int32_t row, std::int32_t workers) {
  const std::int32_t first = row % workers;
  long double y = (ViewTop - first * DiskStepY) + workers * DiskStepY;
  for (std::int32_t r = first; r <= row; r += workers) y = y - workers * DiskStepY;
  return y;
}

// The real coordinate of a column: its group's x by repeated addition, plus lane steps.
inline long double DiskColumnX(std::int32_t col) {
  const std::int32_t group = col / DiskPixelsPerCall;
  long double x = DiskRowStartX;
  for (std::int32_t g = 0; g <= group; ++g) x = x + DiskPixelsPerCall * DiskStepX;
  return x + (col % DiskPixelsPerCall) * DiskStepX;
}
