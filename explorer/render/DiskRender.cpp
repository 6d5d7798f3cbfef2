// The disk render's facade declared in DiskRender.h: thin calls into its state, its
// pixel-group procedure, its image and its workers.
#include "explorer/render/DiskRender.h"

#include "explorer/render/DiskCalcThread.h"
#include "explorer/render/DiskImage.h"
#include "explorer/render/DiskPixelGroup.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/DiskWorkers.h"
#include "explorer/render/RenderSettings.h"

TDiskRender::~TDiskRender() { Abandon(); }

void TDiskRender::Prepare(std::int32_t width, std::int32_t height, const ColorTableEntry* table,
                          std::int32_t displayBits) {
  SetDiskRenderSize(width, height);
  if (table != nullptr) TakeDiskColors(table, displayBits);
}

std::int32_t TDiskRender::Width() const { return DiskWidth; }
std::int32_t TDiskRender::Height() const { return DiskHeight; }
std::int32_t TDiskRender::PixelsPerCall() const { return DiskPixelsPerCall; }

void TDiskRender::MakeImage() {
  DropImage();
  DiskImage = new TDiskImage(DiskWidth, DiskHeight);
}

const TDiskImage& TDiskRender::Image() const { return *DiskImage; }

void TDiskRender::DropImage() {
  delete DiskImage;
  DiskImage = nullptr;
}

void TDiskRender::StartWorkers(HWND progressBar) {
  DiskProgressBar = progressBar;
  StartDiskWorkers();
}

bool TDiskRender::WorkersEnded() const { return DiskWorkersEnded(); }

void TDiskRender::FreeWorkers() {
  FreeDiskWorkers();
  DiskProgressBar = nullptr;
}

void TDiskRender::CancelWorkers() { CancelDiskWorkers(); }

void TDiskRender::ClearWorkers() {
  DiskThreads.assign(static_cast<std::size_t>(CpuCount > 0 ? CpuCount : 1), nullptr);
}

long double TDiskRender::FirstRowY(std::int32_t firstRow) const { return DiskFirstRowY(firstRow); }
long double TDiskRender::StepY() const { return DiskStepY; }

void TDiskRender::RenderImageRow(std::int32_t row, long double y) {
  std::uint8_t* line = DiskImage->ScanLine(row);
  const std::int32_t lanes = DiskPixelsPerCall;
  long double x = DiskRowStartX;
  std::int32_t column = 0;
  for (std::int32_t g = 0; g < DiskCallsPerRow; ++g) {
    x = x + lanes * DiskStepX;
    std::uint32_t colors[4];
    DiskGroupColors(x, y, DiskSettings.Subpixels, colors, nullptr);
    for (std::int32_t i = 0; i < lanes && column < DiskWidth; ++i, ++column)
      StorePixel24(line, column, colors[i]);
  }
}

std::size_t TDiskRender::RowColorCount() const {
  return static_cast<std::size_t>(DiskCallsPerRow) * static_cast<std::size_t>(DiskPixelsPerCall);
}

void TDiskRender::RenderRowColors(long double y, std::uint32_t* colors) const {
  const std::int32_t lanes = DiskPixelsPerCall;
  long double x = DiskRowStartX;
  for (std::int32_t g = 0; g < DiskCallsPerRow; ++g) {
    x = x + lanes * DiskStepX;
    DiskGroupColors(x, y, false, colors + static_cast<std::ptrdiff_t>(g) * lanes, nullptr);
  }
}

void TDiskRender::Abandon() {
  CancelDiskWorkers();
  FreeWorkers();
  DropImage();
}
