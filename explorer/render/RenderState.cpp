// The render state declared in RenderState.h: empty until the first render start.
#include "explorer/render/RenderState.h"

std::int32_t RenderMaxIterations = 0;
long double RenderBailout = 0;
TExtendedComplex RenderJuliaC;
long double PixelStepX = 0;
long double PixelStepY = 0;
std::int32_t RenderWidth = 0;
std::int32_t RenderHeight = 0;
long double ViewRight = 0;
long double ViewBottom = 0;

std::int32_t PixelsPerCall = 1;
std::int32_t CallsPerRow = 0;
long double RowStartX = 0;
TRenderKernel RenderKernel = TRenderKernel::FPU;

std::vector<std::int32_t> IterBuffer;
std::uint8_t RecolorRequest = 0;

std::int32_t RenderRow = 0;
std::int32_t RenderPass = 1;

std::uint32_t RenderStartTime = 0;
std::uint32_t RenderEndTime = 0;
std::string RenderTimeText;

void ResetRenderState() {
  RenderMaxIterations = 0;
  RenderBailout = 0;
  RenderJuliaC = TExtendedComplex{};
  PixelStepX = 0;
  PixelStepY = 0;
  RenderWidth = 0;
  RenderHeight = 0;
  ViewRight = 0;
  ViewBottom = 0;
  PixelsPerCall = 1;
  CallsPerRow = 0;
  RowStartX = 0;
  RenderKernel = TRenderKernel::FPU;
  IterBuffer.clear();
  RecolorRequest = 0;
  RenderRow = 0;
  RenderPass = 1;
  RenderStartTime = 0;
  RenderEndTime = 0;
  RenderTimeText.clear();
}
