// The fixture shared by the colouring tests: explorer default colour settings, a small
// locked surface filled with a marker byte, a distinct colour table and IterBuffer, all
// put back afterwards, and the explorer's x87 control word for the test's duration.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ColorTable.h"
#include "explorer/render/LockedSurface.h"
#include "explorer/render/RenderState.h"
#include "tests/explorer/render/RenderTestSupport.h"
#include "tests/explorer/render/X87ControlWord.h"

class ColoringFixture : public ::testing::Test {
protected:
  static constexpr std::uint8_t Marker = 0xCC;  // what the surface held before a store
  static constexpr std::int32_t Width = 4;
  static constexpr std::int32_t Height = 3;

  ColoringFixture() : ControlWord(ExplorerControlWord) {
    ResetRenderGlobals();
    RenderMaxIterations = 150;
    RenderWidth = Width;
    IterBuffer.assign(Width * Height, 0);
    // Every entry different in each channel; the reserved byte must never show in a pixel.
    for (int i = 0; i < ColorTableSize; ++i)
      Table[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i ^ 0x5A), 0xEE};
    Lock(32, 0, 4 * Width + 3);
  }

  ~ColoringFixture() override {
    SurfaceLocked = 0;
    LockedSurfaceDesc = TLockedSurfaceDesc();
    IterBuffer.clear();
  }

  // A surface of Width x Height pixels at the given bit count; a negative pitch puts row 0
  // at the end of the memory, as a bottom-up surface has it.
  void Lock(std::uint32_t bits, std::uint32_t greenMask, std::int32_t pitch) {
    const std::int32_t rowBytes = pitch < 0 ? -pitch : pitch;
    Memory.assign(std::size_t(rowBytes) * Height, Marker);
    LockedSurfaceDesc.Pixels =
        pitch < 0 ? Memory.data() + std::size_t(rowBytes) * (Height - 1) : Memory.data();
    LockedSurfaceDesc.Pitch = pitch;
    LockedSurfaceDesc.RGBBitCount = bits;
    LockedSurfaceDesc.GreenBitMask = greenMask;
    SurfaceLocked = 1;
  }

  // The pixel at (x, y) as a little-endian value of the surface's bytes per pixel.
  std::uint32_t Pixel(std::int32_t x, std::int32_t y) const {
    const std::uint32_t bytes = LockedSurfaceDesc.RGBBitCount / 8;
    const std::uint8_t* p =
        LockedSurfaceDesc.Pixels + std::ptrdiff_t(y) * LockedSurfaceDesc.Pitch + bytes * x;
    std::uint32_t v = 0;
    for (std::uint32_t i = 0; i < bytes; ++i) v |= std::uint32_t(p[i]) << (8 * i);
    return v;
  }

  std::uint32_t Untouched() const {
    std::uint32_t v = 0;
    for (std::uint32_t i = 0; i < LockedSurfaceDesc.RGBBitCount / 8; ++i)
      v |= std::uint32_t(Marker) << (8 * i);
    return v;
  }

  ScopedControlWord ControlWord;
  ColorTableEntry Table[ColorTableSize];
  std::vector<std::uint8_t> Memory;
};
