// A back surface in memory behind IRenderSurface, for the render engine's tests and the
// benchmark: one buffer of the chosen size and bit count, its own colour table, and
// counts of the locks, unlocks and flips made on it.
#pragma once

#include <cstdint>
#include <vector>

#include "explorer/render/RenderSurface.h"

class TMemorySurface : public IRenderSurface {
public:
  // bits 8, 16, 24 or 32; greenMask matters for 16 bits only (0x7E0: 5-6-5).
  TMemorySurface(std::int32_t width, std::int32_t height, std::uint32_t bits = 32,
                 std::uint32_t greenMask = 0);
  virtual ~TMemorySurface() = default;

  bool Lock(TLockedSurfaceDesc& desc) override;
  void Unlock() override;
  void Flip() override { ++Flips; }
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  const ColorTableEntry* ColorTable() const override { return Table; }

  // The pixel at (x, y) as a little-endian value of the surface's bytes per pixel.
  std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
  // Fills every byte of the pixel memory.
  void Fill(std::uint8_t byte);

  std::int32_t Pitch() const { return pitch_; }
  std::uint32_t Bits() const { return bits_; }
  std::vector<std::uint8_t> Memory;
  ColorTableEntry Table[ColorTableSize] = {};
  int Locks = 0;    // successful locks
  int Unlocks = 0;
  int Flips = 0;
  bool FailLocks = false;  // makes every Lock fail, as a lost surface's does
  bool Locked = false;

protected:
  std::int32_t width_;
  std::int32_t height_;
  std::uint32_t bits_;
  std::uint32_t greenMask_;
  std::int32_t pitch_;
};
