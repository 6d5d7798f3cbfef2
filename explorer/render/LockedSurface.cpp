// The lock flag and surface description declared in LockedSurface.h, and PutPixel.
// Pixels go out byte by byte in little-endian order, the order of every target surface.
#include "explorer/render/LockedSurface.h"

#include <cstddef>

static_assert(sizeof(std::atomic<std::uint8_t>) == 1, "SurfaceLocked is a byte");

std::atomic<std::uint8_t> SurfaceLocked{0};
TLockedSurfaceDesc LockedSurfaceDesc;

void PutPixel(std::int32_t x, std::int32_t y, std::uint32_t value) {
  if (SurfaceLocked.load(std::memory_order_acquire) == 0) return;
  const TLockedSurfaceDesc& d = LockedSurfaceDesc;
  // A failed lock leaves no pointer; storing through it would reach memory that is not
  // the surface's.
  if (d.Pixels == nullptr) return;
  std::uint8_t* row = d.Pixels + static_cast<std::ptrdiff_t>(y) * d.Pitch;
  std::ptrdiff_t col = x;
  switch (d.RGBBitCount) {
    case 8:
      row[col] = std::uint8_t(value);
      break;
    case 16:
      row[2 * col] = std::uint8_t(value);
      row[2 * col + 1] = std::uint8_t(value >> 8);
      break;
    case 24:
      row[3 * col] = std::uint8_t(value);
      row[3 * col + 1] = std::uint8_t(value >> 8);
      row[3 * col + 2] = std::uint8_t(value >> 16);
      break;
    case 32:
      row[4 * col] = std::uint8_t(value);
      row[4 * col + 1] = std::uint8_t(value >> 8);
      row[4 * col + 2] = std::uint8_t(value >> 16);
      row[4 * col + 3] = std::uint8_t(value >> 24);
      break;
    default:
      break;
  }
}
