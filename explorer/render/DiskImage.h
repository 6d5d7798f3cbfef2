// TDiskImage: the 24-bit image that a disk render writes, of any size that memory and a
// BMP file can hold: rows bottom-up with 4-byte-aligned lengths, as a BMP file stores
// them, starting white. Row addresses are pure arithmetic, so workers may take them
// concurrently. The workers that fill it are DiskCalcThread.h.
#pragma once

#include <cstddef>
#include <cstdint>

class TDiskImage {
public:
  // Allocates width x height pixels, all white. Raises EOutOfMemory, naming the size, when
  // the pixels cannot be had or would not fit a BMP file; EInvalidGraphicOperation for a
  // negative size. A width or height of 0 gives an image without pixel memory.
  TDiskImage(std::int32_t width, std::int32_t height);
  ~TDiskImage();
  TDiskImage(const TDiskImage&) = delete;
  TDiskImage& operator=(const TDiskImage&) = delete;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  // Bytes per stored row: 3 x width rounded up to a multiple of 4.
  std::size_t RowBytes() const { return rowBytes_; }
  std::size_t SizeBytes() const { return rowBytes_ * static_cast<std::size_t>(height_); }
  // Row y (0 = top), 3 bytes per pixel: blue, green, red. No check: 0 <= y < Height.
  std::uint8_t* ScanLine(std::int32_t y) const {
    return bits_ + static_cast<std::size_t>(height_ - 1 - y) * rowBytes_;
  }
  // The bottom row, where the pixels of a BMP file begin.
  const std::uint8_t* Bits() const { return bits_; }

  // The largest pixel block a 24-bit BMP file can describe: its file size is 32-bit.
  static constexpr std::uint64_t MaxPixelBytes = 0xFFFFFFFFull - 54;

private:
  std::int32_t width_;
  std::int32_t height_;
  std::size_t rowBytes_ = 0;
  std::uint8_t* bits_ = nullptr;
};

// The image of the current disk render; the workers write their rows into it.
extern TDiskImage* DiskImage;

// Where the pixels come from: committed pages of the system's virtual memory (released
// with VirtualFree), nullptr when the block cannot be had. A test puts in one with the
// address space of a 32-bit process, which cannot have blocks that a 64-bit one gets.
using TPixelAllocator = void* (*)(std::size_t bytes);
void* SystemPixelAllocator(std::size_t bytes);
extern TPixelAllocator DiskImageAllocator;
