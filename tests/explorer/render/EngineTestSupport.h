// Shared by the render engine's tests: a fixture that sets the explorer's render and
// colour settings and puts them back, a host that records what the engine asks of the
// main window, loops that drive the two timers, and the reference arithmetic of a render
// (the coordinates each renderer gives a pixel, and the kernel call for it).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/Coloring.h"
#include "explorer/render/LockedSurface.h"
#include "tests/support/render/MemorySurface.h"
#include "explorer/render/RenderEngine.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "tests/explorer/render/RenderTestSupport.h"
#include "tests/explorer/render/X87ControlWord.h"
#include "forms/runtime/Thread.h"
#include "kernels/itercore.h"

class TRecordingHost : public IRenderHost {
public:
  void SetProgressTimer(bool enabled) override { ProgressTimer = enabled; }
  void SetFrameTimer(bool enabled) override { FrameTimer = enabled; }
  void ShowParameters() override { ++ParameterRefreshes; }
  void SetCaption(const std::string& caption) override {
    Caption = caption;
    ++Captions;
  }
  void RenderFinished() override { ++Finished; }
  bool SelectionActive() override { return Selection; }
  void DrawSelectionRect() override { ++SelectionDrawings; }

  bool ProgressTimer = false;
  bool FrameTimer = false;
  int ParameterRefreshes = 0;
  std::string Caption;
  int Captions = 0;
  int Finished = 0;
  bool Selection = false;
  int SelectionDrawings = 0;
};

class EngineFixture : public ::testing::Test {
protected:
  EngineFixture() {
    Set8087CW(ExplorerControlWord);  // the word every worker starts with
    ResetRenderGlobals();
    UseDefaultView();
    MaxIterations = 150;
    Bailout = 4.0L;
    UseSSE2 = UseSSE = Use3DNow = 0;
    UseMultiThreading = -1;
    Subpixels4X = 0;
    HideDrawing = -1;
    CpuCount = 8;
    WinNT6OrLater = 1;
    InsideColor = 0x00123456;  // not black, so that every pixel is stored
    RecolorRequest = 0;
  }
  ~EngineFixture() override {
    SurfaceLocked = 0;
    LockedSurfaceDesc = TLockedSurfaceDesc();
    RecolorRequest = 0;
    IterBuffer.clear();
    RenderWidth = RenderHeight = 0;
  }

  // Calls ProgressTick about every millisecond until the workers are collected.
  static void RunWorkers(TRenderEngine& engine, DWORD timeoutMs = 60000) {
    const DWORD start = GetTickCount();
    while (engine.WorkersRunning() && GetTickCount() - start < timeoutMs) {
      engine.ProgressTick();
      Sleep(1);
    }
    ASSERT_FALSE(engine.WorkersRunning()) << "the render did not finish";
  }

  // Calls FrameTick while the single-thread render is under way; returns the ticks.
  static int RunFrames(TRenderEngine& engine, int limit = 1000000) {
    int ticks = 0;
    while (engine.SingleThreadRenderUnderWay() && ticks < limit) {
      engine.FrameTick();
      ++ticks;
    }
    return ticks;
  }
};

// The packed pixel that a render stores for the count n (escaped below the limit).
inline std::uint32_t ExpectedRendered(std::int32_t n, const TLockedSurfaceDesc& desc,
                                      const ColorTableEntry* table) {
  const PixelPacking packing = PackingOf(desc);
  return n < RenderMaxIterations ? PackedEscapedValue(packing, n, CountSign::Signed, table)
                                 : PackedInsideValue(packing, table);
}

// The imaginary coordinate of a row as a worker of `workers` reaches it: its first row's
// coordinate, then repeated subtraction of workers x step.
inline long double WorkerRowY(std::int32_t row, std::int32_t workers) {
  const std::int32_t first = row % workers;
  long double y = (ViewTop - first * PixelStepY) + workers * PixelStepY;
  for (std::int32_t r = first; r <= row; r += workers) y = y - workers * PixelStepY;
  return y;
}

// The single-thread renderer computes each row's coordinate afresh.
inline long double FrameRowY(std::int32_t row) { return ViewTop - row * PixelStepY; }

// The real coordinate of a column: its group's x by repeated addition, plus k steps.
inline long double ColumnX(std::int32_t col) {
  const std::int32_t group = col / PixelsPerCall;
  long double x = RowStartX;
  for (std::int32_t g = 0; g <= group; ++g) x = x + PixelsPerCall * PixelStepX;
  return x + (col % PixelsPerCall) * PixelStepX;
}

// The reference count of the point (re, im) with the kernel this render uses.
inline std::int32_t ReferencePoint(long double re, long double im) {
  return ReferenceCount(RenderKernel, re, im);
}
