// The memory surface declared in MemorySurface.h. Rows are padded to a multiple of 4
// bytes plus 4, so that a store past the row's end would show in the padding.
#include "tests/support/render/MemorySurface.h"

TMemorySurface::TMemorySurface(std::int32_t width, std::int32_t height, std::uint32_t bits,
                               std::uint32_t greenMask)
    : width_(width), height_(height), bits_(bits), greenMask_(greenMask) {
  pitch_ = (width * static_cast<std::int32_t>(bits / 8) + 3) / 4 * 4 + 4;
  Memory.assign(static_cast<std::size_t>(pitch_) * height, 0);
}

bool TMemorySurface::Lock(TLockedSurfaceDesc& desc) {
  if (FailLocks || Locked) {
    desc = TLockedSurfaceDesc();
    return false;
  }
  desc.Pixels = Memory.data();
  desc.Pitch = pitch_;
  desc.RGBBitCount = bits_;
  desc.GreenBitMask = greenMask_;
  Locked = true;
  ++Locks;
  return true;
}

void TMemorySurface::Unlock() {
  Locked = false;
  ++Unlocks;
}

std::uint32_t TMemorySurface::Pixel(std::int32_t x, std::int32_t y) const {
  const std::uint32_t bytes = bits_ / 8;
  const std::uint8_t* p = Memory.data() + static_cast<std::size_t>(y) * pitch_ + bytes * x;
  std::uint32_t v = 0;
  for (std::uint32_t i = 0; i < bytes; ++i) v |= std::uint32_t(p[i]) << (8 * i);
  return v;
}

void TMemorySurface::Fill(std::uint8_t byte) { Memory.assign(Memory.size(), byte); }
