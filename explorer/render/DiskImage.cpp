// TDiskImage, declared in DiskImage.h. The pixels come straight from the system's virtual
// memory: a block of gigabytes must fail cleanly when it cannot be had, not half-way
// through a heap, and the system gives it zeroed pages that are then filled white.
#include "explorer/render/DiskImage.h"

#include <windows.h>

#include <cstring>
#include <limits>
#include <string>

#include "forms/core/SysUtils.h"

TDiskImage* DiskImage = nullptr;

void* SystemPixelAllocator(std::size_t bytes) {
  return VirtualAlloc(nullptr, static_cast<SIZE_T>(bytes), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

TPixelAllocator DiskImageAllocator = &SystemPixelAllocator;

namespace {

std::string SizeText(std::int32_t width, std::int32_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

TDiskImage::TDiskImage(std::int32_t width, std::int32_t height) : width_(width), height_(height) {
  if (width < 0 || height < 0)
    throw EInvalidGraphicOperation("Image size " + SizeText(width, height) + " is invalid");
  const std::uint64_t rowBytes = (std::uint64_t(width) * 3 + 3) & ~std::uint64_t(3);
  const std::uint64_t bytes = rowBytes * std::uint64_t(height);
  if (bytes > MaxPixelBytes || bytes > std::numeric_limits<std::size_t>::max())
    throw EOutOfMemory("Image of " + SizeText(width, height) + " pixels cannot be made: " +
                       std::to_string(bytes) + " bytes are more than a 24-bit bitmap can hold");
  rowBytes_ = static_cast<std::size_t>(rowBytes);
  if (bytes == 0) return;
  void* block = DiskImageAllocator(static_cast<std::size_t>(bytes));
  if (block == nullptr)
    throw EOutOfMemory("Image of " + SizeText(width, height) + " pixels cannot be made: " +
                       std::to_string(bytes) + " bytes of memory are not available");
  bits_ = static_cast<std::uint8_t*>(block);
  std::memset(bits_, 0xFF, static_cast<std::size_t>(bytes));
}

TDiskImage::~TDiskImage() {
  if (bits_ != nullptr) VirtualFree(bits_, 0, MEM_RELEASE);
}
