// previewbench: one Julia preview of 320 x 240 at the preview's 150 iterations for c = 0,
// with each kernel this processor can run, against the same kernel calls (the same
// arguments, so the same point-iterations) made from a prepared list in the same run.
// The ratio is the preview's cost over its kernel's: the fill, the stepping of the
// coordinates and the grey stores.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "explorer/render/JuliaPreview.h"
#include "explorer/app/KernelChoice.h"
#include "explorer/render/RowIteration.h"
#include "explorer/render/ExplorerControlWord.h"
#include "forms/runtime/Thread.h"
#include "kernels/itercore.h"

namespace {

const int kWidth = 320, kHeight = 240;
const int kRepeats = 7;  // the best of these runs counts
const long double kStep = 4.0L / kWidth;
const long double kBailout = 4.0L;

volatile std::int32_t gSink;

// The first point of every call of the preview, with the row's imaginary part.
struct TCall {
  long double X, Y;
};

std::vector<TCall> PreviewCalls(int n) {
  std::vector<TCall> calls;
  long double y = 1.5L;
  for (int r = 0; r < kHeight; ++r) {
    y -= kStep;
    long double x = -2.0L - n * kStep;
    for (int i = 0; i < kWidth / n; ++i) {
      x += n * kStep;
      calls.push_back({x, y});
    }
  }
  return calls;
}

// The kernel alone over the prepared calls, its arguments converted beforehand.
std::function<void()> KernelOnly(TRenderKernel kernel, const std::vector<TCall>& calls) {
  const std::uint32_t limit = PreviewMaxIterations;
  switch (kernel) {
    case TRenderKernel::SSE2: {
      auto args = std::make_shared<std::vector<double>>();
      for (const TCall& c : calls) {
        args->push_back(double(c.X));
        args->push_back(double(c.X + kStep));
        args->push_back(double(c.Y));
      }
      return [args, limit] {
        std::int32_t a, b;
        for (size_t i = 0; i < args->size(); i += 3) {
          iterate_SSE2(&a, &b, 0, 0, 0, (*args)[i], (*args)[i + 1], (*args)[i + 2], 4.0, limit);
          gSink = a + b;
        }
      };
    }
    case TRenderKernel::SSE: {
      auto args = std::make_shared<std::vector<float>>();
      for (const TCall& c : calls)
        for (int k = 0; k < 4; ++k) args->push_back(float(c.X + k * kStep));
      auto rows = std::make_shared<std::vector<float>>();
      for (const TCall& c : calls) rows->push_back(float(c.Y));
      return [args, rows, limit] {
        std::int32_t o[4];
        for (size_t i = 0; i < rows->size(); ++i) {
          const float* x = &(*args)[i * 4];
          iterate_SSE(&o[0], &o[1], &o[2], &o[3], 0, 0, 0, 0, 0, x[0], x[1], x[2], x[3],
                      (*rows)[i], 4.0f, limit);
          gSink = o[0] + o[3];
        }
      };
    }
    case TRenderKernel::ThreeDNow: {
      auto args = std::make_shared<std::vector<float>>();
      for (const TCall& c : calls) {
        args->push_back(float(c.X));
        args->push_back(float(c.X + kStep));
        args->push_back(float(c.Y));
      }
      return [args, limit] {
        std::int32_t a, b;
        for (size_t i = 0; i < args->size(); i += 3) {
          iterate_3DNOW(&a, &b, 0, 0, 0, (*args)[i], (*args)[i + 1], (*args)[i + 2], 4.0f, limit);
          gSink = a + b;
        }
      };
    }
    case TRenderKernel::FPU:
      break;
  }
  return [&calls, limit] {
    for (const TCall& c : calls) gSink = std::int32_t(iterate_FPU(0, 0, c.X, c.Y, kBailout, limit));
  };
}

void Measure(const char* name, TRenderKernel kernel) {
  std::vector<std::uint8_t> pixels(size_t(kWidth) * kHeight);
  TPreviewImage image;
  image.FirstRow = pixels.data();
  image.RowStride = kWidth;
  image.Width = kWidth;
  image.Height = kHeight;
  const double preview = BestSeconds(kRepeats, [&] {
    std::fill(pixels.begin(), pixels.end(), std::uint8_t(0xE0));
    RenderJuliaPreviewImage(image, kernel, 0, 0, kStep, kBailout);
  });
  const std::vector<TCall> calls = PreviewCalls(PointsPerCall(kernel));
  const double kernelOnly = BestSeconds(kRepeats, KernelOnly(kernel, calls));
  std::size_t inside = 0;
  for (std::uint8_t v : pixels) inside += v == 0xE0;
  const std::string figure = std::string("preview_") + name;
  PrintFigure(figure.c_str(), preview * 1e3, "ms");
  PrintFigure((figure + "_kernel_only").c_str(), kernelOnly * 1e3, "ms");
  PrintFigure((figure + "_vs_kernel").c_str(), preview / kernelOnly, "ratio");
  PrintFigure((figure + "_points_at_limit").c_str(), 100.0 * inside / pixels.size(), "%");
}

}  // namespace

int main() {
  Set8087CW(ExplorerControlWord);  // 64-bit precision for the x87 kernel and the stepping
  const TProcessorFeatures features = DetectProcessorFeatures();
  const bool sse = features.HasSSE != 0, sse2 = features.HasSSE2 != 0, amd3DNow = features.Has3DNow != 0;

  Measure("iterate_FPU", TRenderKernel::FPU);
  const char* names[] = {"iterate_SSE2", "iterate_SSE", "iterate_3DNOW"};
  const TRenderKernel kernels[] = {TRenderKernel::SSE2, TRenderKernel::SSE, TRenderKernel::ThreeDNow};
  const bool runnable[] = {sse2, sse, amd3DNow};
  const char* missing[] = {"SSE2", "SSE", "3DNow!"};
  for (int k = 0; k < 3; ++k) {
    if (runnable[k])
      Measure(names[k], kernels[k]);
    else
      std::fprintf(stderr, "preview %s skipped: this processor has no %s\n", names[k], missing[k]);
  }
  return 0;
}
