// The locked back surface as the renderers see it: the lock flag, the few fields of the
// surface description that a pixel store reads, and the store itself (PutPixel).
// The Win32 side fills LockedSurfaceDesc from the DDSURFACEDESC of each lock of the back
// surface and then sets SurfaceLocked; it clears SurfaceLocked before it unlocks.
#pragma once

#include <atomic>
#include <cstdint>

// The fields of the last lock's surface description that the stores use. From a
// DDSURFACEDESC: Pixels = lpSurface, Pitch = lPitch, RGBBitCount =
// ddpfPixelFormat.dwRGBBitCount, GreenBitMask = ddpfPixelFormat.dwGBitMask.
struct TLockedSurfaceDesc {
  std::uint8_t* Pixels = nullptr;  // row 0, column 0; null when the lock failed
  std::int32_t Pitch = 0;          // bytes from one row to the next, may be negative
  std::uint32_t RGBBitCount = 0;   // 8, 16, 24 or 32
  std::uint32_t GreenBitMask = 0;  // 0x7E0 for 5-6-5, 0x3E0 for 5-5-5 16-bit surfaces
};

// 1 while the back surface is locked and pixels may be stored, 0 otherwise. Atomic so that
// a worker sees it cleared at its next store, however its row loop is compiled.
extern std::atomic<std::uint8_t> SurfaceLocked;
extern TLockedSurfaceDesc LockedSurfaceDesc;

// Stores the packed pixel value at column x, row y of the locked surface by its bit count
// (8: low byte, 16: low 16 bits, 24: bits 0-7, 8-15, 16-23 in that order, 32: all of it).
// Does nothing while SurfaceLocked is 0, for another bit count, or without a pixel pointer.
// Callers pass only coordinates inside the surface: there is no bounds check.
void PutPixel(std::int32_t x, std::int32_t y, std::uint32_t value);
