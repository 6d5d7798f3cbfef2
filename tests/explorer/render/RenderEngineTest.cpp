// The render engine with its workers against memory surfaces: stores never reach a
// surface buffer after the flip that retired it, the recolour-only road and when it is
// refused, the columns a group cannot cover, failing locks, the answer to a stop, the
// progress flips, the timers and the caption.
#include <algorithm>
#include <memory>
#include <regex>

#include "explorer/render/CalcThread.h"
#include "tests/explorer/render/EngineTestSupport.h"

namespace {

// Hands out a fresh buffer at every lock. At every unlock it copies what was stored into
// Screen and poisons the buffer, which it keeps for a while: a store through a pointer
// from before a flip would land in a poisoned buffer.
class TSwappingSurface : public IRenderSurface {
public:
  static constexpr std::uint8_t Fresh = 0xEE;   // no 32-bit pixel has a top byte
  static constexpr std::uint8_t Poison = 0xA5;  // so neither is a stored value
  static constexpr std::size_t Kept = 96;

  TSwappingSurface(std::int32_t width, std::int32_t height)
      : Screen(std::size_t(width) * height, 0xFFFFFFFFu), width_(width), height_(height),
        pitch_(4 * width + 12) {}

  bool Lock(TLockedSurfaceDesc& desc) override {
    if (current_) ++DoubleLocks;
    if (retired_.size() >= Kept) {
      // Recycle the oldest, after checking that nothing reached it since it was retired.
      if (!Poisoned(*retired_.front())) ++StaleStores;
      current_ = std::move(retired_.front());
      retired_.erase(retired_.begin());
    } else {
      current_ = std::make_unique<std::vector<std::uint8_t>>(std::size_t(pitch_) * height_);
    }
    std::fill(current_->begin(), current_->end(), Fresh);
    desc.Pixels = current_->data();
    desc.Pitch = pitch_;
    desc.RGBBitCount = 32;
    desc.GreenBitMask = 0;
    ++Locks;
    return true;
  }

  void Unlock() override {
    ++Unlocks;
    if (!current_) return;
    for (std::int32_t y = 0; y < height_; ++y)
      for (std::int32_t x = 0; x < width_; ++x) {
        const std::uint8_t* p = current_->data() + std::size_t(y) * pitch_ + 4 * x;
        const std::uint32_t v = p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
        if (v != 0xEEEEEEEEu) Screen[std::size_t(y) * width_ + x] = v;
      }
    std::fill(current_->begin(), current_->end(), Poison);
    retired_.push_back(std::move(current_));
  }

  void Flip() override { ++Flips; }
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  const ColorTableEntry* ColorTable() const override { return Table; }

  // Every retired buffer still holds nothing but poison.
  int StaleBuffers() const {
    int stale = StaleStores;
    for (const auto& b : retired_) stale += Poisoned(*b) ? 0 : 1;
    return stale;
  }

  int Locks = 0, Unlocks = 0, Flips = 0, DoubleLocks = 0, StaleStores = 0;
  std::vector<std::uint32_t> Screen;  // every pixel ever stored, latest value
  ColorTableEntry Table[ColorTableSize] = {};

private:
  static bool Poisoned(const std::vector<std::uint8_t>& b) {
    return std::all_of(b.begin(), b.end(), [](std::uint8_t v) { return v == Poison; });
  }
  std::int32_t width_, height_, pitch_;
  std::unique_ptr<std::vector<std::uint8_t>> current_;
  std::vector<std::unique_ptr<std::vector<std::uint8_t>>> retired_;
};

class RenderEngineTest : public EngineFixture {};

TEST_F(RenderEngineTest, NoStoreAfterAProgressFlipLandsInTheRetiredBuffer) {
  // Renders whose time goes mostly into colouring and storing, flipped as fast as the
  // progress timer can be called: a worker paused between reading the surface pointer and
  // storing through it would store into a retired, poisoned buffer.
  struct Case {
    std::int32_t SSE;
    std::int32_t Iterations;
  } cases[] = {{0, 40}, {-1, 60}, {0, 3000}};  // one point per call, four; a slow render
  HideDrawing = 0;
  for (const Case& c : cases) {
    UseSSE = c.SSE;
    MaxIterations = c.Iterations;
    TSwappingSurface surface(240, 180);
    TRecordingHost host;
    TRenderEngine engine(surface, host);
    for (int render = 0; render < 40 && surface.Flips < 600; ++render) {
      engine.StartRender();
      const DWORD start = GetTickCount();
      while (engine.WorkersRunning() && GetTickCount() - start < 60000) {
        engine.ProgressTick();
        // Each flip suspends the busy workers; without a moment between flips Wine lets
        // them compute so little that one render takes tens of seconds.
        Sleep(0);
      }
      ASSERT_FALSE(engine.WorkersRunning());
    }
    EXPECT_GT(surface.Flips, 100) << "too few progress flips to prove anything";
    EXPECT_EQ(surface.StaleBuffers(), 0) << "SSE " << c.SSE;
    EXPECT_EQ(surface.DoubleLocks, 0);
    EXPECT_EQ(surface.Locks, surface.Unlocks);
    // And every store of the last render reached the screen at its place.
    const TLockedSurfaceDesc desc{nullptr, 0, 32, 0};
    int wrong = 0;
    for (std::int32_t y = 0; y < 180; ++y)
      for (std::int32_t x = 0; x < 240; ++x) {
        const std::int32_t v = IterBuffer[y * 240 + x];
        const std::uint32_t want = ExpectedRendered(v == 0 ? RenderMaxIterations : v, desc,
                                                    surface.Table);
        wrong += surface.Screen[y * 240 + x] != want;
      }
    EXPECT_EQ(wrong, 0) << "SSE " << c.SSE;
  }
}

TEST_F(RenderEngineTest, WithHideDrawingTheWorkersAreNeverInterrupted) {
  HideDrawing = -1;
  MaxIterations = 3000;
  TMemorySurface surface(160, 120);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  RunWorkers(engine);
  EXPECT_EQ(surface.Locks, 1);
  EXPECT_EQ(surface.Unlocks, 1);
  EXPECT_EQ(surface.Flips, 1);  // the finished image only
}

TEST_F(RenderEngineTest, AMultithreadedRenderRunsOnTheProgressTimerAndReportsItsTime) {
  static std::uint32_t ticks[] = {0xFFFFFF00u, 0x00000400u};
  static int reads = 0;
  reads = 0;
  TMemorySurface surface(64, 48);
  TRecordingHost host;
  host.FrameTimer = true;  // a selection animation was running
  TRenderEngine engine(surface, host);
  engine.SetClock([] { return ticks[std::min(reads++, 1)]; });
  engine.StartRender();
  EXPECT_TRUE(host.ProgressTimer);
  EXPECT_FALSE(host.FrameTimer);
  EXPECT_FALSE(engine.SingleThreadRenderUnderWay());
  ASSERT_EQ(engine.CalcThreads().size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(engine.CalcThreads()[i]->FirstRow, std::int32_t(i));
    EXPECT_EQ(engine.CalcThreads()[i]->RowStep, 8);
    EXPECT_EQ(engine.CalcThreads()[i]->FirstY, ViewTop - std::int32_t(i) * PixelStepY);
  }
  EXPECT_EQ(host.ParameterRefreshes, 1);
  EXPECT_EQ(PixelStepY, ViewHeight / 48);
  EXPECT_EQ(PixelStepX, PixelStepY);
  EXPECT_EQ(ViewRight, ViewLeft + 64 * PixelStepX);
  EXPECT_EQ(ViewBottom, ViewTop - 48 * PixelStepY);
  RunWorkers(engine);
  EXPECT_FALSE(host.ProgressTimer);
  EXPECT_EQ(host.Caption, "Quorvel - Rend.Time:  1.28 sec.");
  EXPECT_EQ(RenderTimeText, " 1.28");
  EXPECT_EQ(host.Captions, 1);
  EXPECT_EQ(host.Finished, 1);
  EXPECT_EQ(SurfaceLocked, 0);
  engine.ProgressTick();  // nothing left to collect
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(RenderEngineTest, TheCaptionMatchesTheRenderTimeFormat) {
  TMemorySurface surface(64, 48);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  RunWorkers(engine);
  EXPECT_TRUE(std::regex_match(host.Caption, std::regex("Quorvel - Rend\\.Time: [ 0-9]{2,}\\.[0-9]{2} sec\\.")))
      << host.Caption;
}

// The recolour of every pixel from IterBuffer as the redraw makes it.
void ExpectRecoloured(const TMemorySurface& surface) {
  TLockedSurfaceDesc desc{nullptr, 0, surface.Bits(), 0};
  int wrong = 0;
  for (std::int32_t y = 0; y < surface.Height(); ++y)
    for (std::int32_t x = 0; x < surface.Width(); ++x) {
      const std::int32_t v = IterBuffer[y * surface.Width() + x];
      const PixelPacking p = PackingOf(desc);
      const std::uint32_t want = v != 0 ? PackedEscapedValue(p, v, CountSign::Unsigned, surface.Table)
                                        : PackedInsideValue(p, surface.Table);
      wrong += surface.Pixel(x, y) != want;
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(RenderEngineTest, ARecolorRequestStartsNoWorkerAndRewritesEveryPixel) {
  InsideColor = 0;  // the render leaves inside pixels unwritten; the recolour writes them
  TMemorySurface surface(96, 72);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  RunWorkers(engine);
  const std::vector<std::int32_t> counts = IterBuffer;
  const int flips = surface.Flips;
  surface.Fill(0xEE);
  PaletteOffset = 7;
  RecolorRequest = 1;
  engine.StopRender();  // what a size change that keeps the size does: finalise, initialise
  engine.StartRender();
  EXPECT_FALSE(engine.WorkersRunning());
  EXPECT_FALSE(host.ProgressTimer);
  EXPECT_EQ(RecolorRequest, 0);
  EXPECT_EQ(host.Captions, 1);
  EXPECT_EQ(IterBuffer, counts);
  EXPECT_EQ(surface.Flips, flips + 1);
  EXPECT_EQ(surface.Locks, surface.Unlocks);
  ExpectRecoloured(surface);
}

TEST_F(RenderEngineTest, ARecolorRequestDuringAMultithreadedRenderBecomesAFullRender) {
  MaxIterations = 200000;
  TMemorySurface surface(96, 72);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  Sleep(20);
  RecolorRequest = 1;
  engine.StopRender();
  engine.StartRender();
  EXPECT_EQ(RecolorRequest, 0);
  EXPECT_TRUE(engine.WorkersRunning());
  MaxIterations = 150;
  engine.StopRender();
  engine.StartRender();
  RunWorkers(engine);
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(RenderEngineTest, ARecolorRequestOnASurfaceOfAnotherSizeBecomesAFullRender) {
  TMemorySurface small(64, 48);
  TMemorySurface large(80, 60);
  TRecordingHost host;
  // One engine, two surfaces: the display recreated its back surface at another size.
  struct TwoSurfaces : IRenderSurface {
    TMemorySurface* Now;
    bool Lock(TLockedSurfaceDesc& d) override { return Now->Lock(d); }
    void Unlock() override { Now->Unlock(); }
    void Flip() override { Now->Flip(); }
    std::int32_t Width() const override { return Now->Width(); }
    std::int32_t Height() const override { return Now->Height(); }
    const ColorTableEntry* ColorTable() const override { return Now->ColorTable(); }
  } display;
  display.Now = &small;
  TRenderEngine engine(display, host);
  engine.StartRender();
  RunWorkers(engine);
  display.Now = &large;
  RecolorRequest = 1;
  engine.StopRender();
  engine.StartRender();
  EXPECT_EQ(RecolorRequest, 0);
  EXPECT_TRUE(engine.WorkersRunning());
  RunWorkers(engine);
  EXPECT_EQ(RenderWidth, 80);
  EXPECT_EQ(IterBuffer.size(), 80u * 60u);
  EXPECT_EQ(host.Captions, 2);
}

TEST_F(RenderEngineTest, ColumnsThatNoGroupCoversStayUnrendered) {
  struct Case {
    std::int32_t SSE, SSE2, Threads;
    std::int32_t Width;
    std::int32_t Rendered;
  } cases[] = {{-1, 0, -1, 1001, 1000}, {-1, 0, 0, 1001, 1000}, {0, -1, -1, 1001, 1000},
               {-1, 0, -1, 1003, 1000}, {0, 0, -1, 1001, 1001}};
  for (const Case& c : cases) {
    UseSSE = c.SSE;
    UseSSE2 = c.SSE2;
    UseMultiThreading = c.Threads;
    // The view's right-hand side lies far outside the set: every rendered pixel there escapes.
    TMemorySurface surface(c.Width, 24);
    surface.Fill(0xEE);
    TRecordingHost host;
    TRenderEngine engine(surface, host);
    engine.StartRender();
    if (c.Threads) RunWorkers(engine);
    else RunFrames(engine);
    for (std::int32_t y = 0; y < 24; ++y) {
      for (std::int32_t x = c.Rendered; x < c.Width; ++x) {
        EXPECT_EQ(IterBuffer[y * c.Width + x], 0) << x << "," << y;
        EXPECT_EQ(surface.Pixel(x, y), 0xEEEEEEEEu) << x << "," << y;
      }
      EXPECT_NE(IterBuffer[y * c.Width + c.Rendered - 1], 0) << "column " << c.Rendered - 1;
      EXPECT_NE(surface.Pixel(c.Rendered - 1, y), 0xEEEEEEEEu);
    }
  }
}

TEST_F(RenderEngineTest, AFailedLockStoresNoPixelButStillFillsTheBuffer) {
  HideDrawing = 0;
  MaxIterations = 2000;
  TMemorySurface reference(120, 90);
  {
    TRecordingHost host;
    TRenderEngine engine(reference, host);
    engine.StartRender();
    RunWorkers(engine);
  }
  const std::vector<std::int32_t> counts = IterBuffer;
  TMemorySurface surface(120, 90);
  surface.Fill(0xEE);
  surface.FailLocks = true;
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  EXPECT_EQ(SurfaceLocked, 0);
  RunWorkers(engine);
  EXPECT_EQ(IterBuffer, counts);
  EXPECT_EQ(surface.Unlocks, 0);  // nothing was locked, so nothing is unlocked
  EXPECT_TRUE(std::all_of(surface.Memory.begin(), surface.Memory.end(),
                          [](std::uint8_t b) { return b == 0xEE; }));
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(RenderEngineTest, RenderStopAnswersWithinAKernelCallNotARow) {
  // Every point inside the main cardioid: each call runs the full limit, about a few
  // milliseconds, and a row of 320 calls takes seconds.
  UseSSE2 = -1;
  MaxIterations = 3000000;
  ViewLeft = -0.4L;
  ViewTop = 0.2L;
  ViewHeight = 0.3L;
  TMemorySurface surface(640, 16);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  Sleep(100);
  const DWORD start = GetTickCount();
  engine.StopRender();
  const DWORD took = GetTickCount() - start;
  EXPECT_LT(took, 1000u);
  EXPECT_FALSE(engine.WorkersRunning());
  EXPECT_FALSE(host.ProgressTimer);
  EXPECT_EQ(SurfaceLocked, 0);
  EXPECT_EQ(surface.Locks, surface.Unlocks);  // the surface goes back unlocked
  EXPECT_EQ(host.Captions, 0);
}

TEST_F(RenderEngineTest, RenderStopDuringProgressFlipsLeavesNothingRunning) {
  HideDrawing = 0;
  MaxIterations = 20000;
  TSwappingSurface surface(160, 120);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  for (int round = 0; round < 5; ++round) {
    engine.StartRender();
    for (int i = 0; i < 10; ++i) {
      engine.ProgressTick();
      Sleep(1);
    }
    engine.StopRender();
    EXPECT_FALSE(engine.WorkersRunning());
  }
  EXPECT_EQ(surface.StaleBuffers(), 0);
  EXPECT_EQ(surface.Locks, surface.Unlocks);
  EXPECT_EQ(host.Captions, 0);
}

TEST_F(RenderEngineTest, OneWorkerRendersEveryRowWhenThereIsOneProcessor) {
  CpuCount = 1;
  TMemorySurface surface(64, 48);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  ASSERT_EQ(engine.CalcThreads().size(), 1u);
  EXPECT_EQ(engine.CalcThreads()[0]->RowStep, 1);
  RunWorkers(engine);
  int wrong = 0;
  for (std::int32_t y = 0; y < 48; ++y)
    for (std::int32_t x = 0; x < 64; ++x) {
      const std::int32_t n = ReferencePoint(ColumnX(x), WorkerRowY(y, 1));
      wrong += IterBuffer[y * 64 + x] != (n < RenderMaxIterations ? n : 0);
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(RenderEngineTest, WorkersServeOneRenderAfterAnotherUntilTheyAreEnded) {
  TMemorySurface surface(64, 48);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  ASSERT_TRUE(engine.WaitForWorkers(60000));
  const std::vector<TCalcThread*> first = engine.CalcThreads();
  engine.ProgressTick();
  engine.StartRender();
  EXPECT_EQ(engine.CalcThreads(), first);  // the same threads take the next render
  RunWorkers(engine);
  CpuCount = 3;
  engine.StartRender();
  EXPECT_EQ(engine.CalcThreads().size(), 3u);
  RunWorkers(engine);
  engine.EndWorkers();
  EXPECT_TRUE(engine.CalcThreads().empty());
  engine.StartRender();
  EXPECT_EQ(engine.CalcThreads().size(), 3u);
  RunWorkers(engine);
  EXPECT_EQ(host.Captions, 4);
}

TEST_F(RenderEngineTest, DestroyingTheEngineMidRenderTouchesNeitherHostNorSurface) {
  // The main window may free its display control before the engine: the destructor ends
  // the workers and leaves the rest alone.
  struct Gone {
    bool Is = false;
    int Touched = 0;
    void Check() { Touched += Is; }
  } gone;
  struct Surface : TMemorySurface {
    Surface(Gone& g) : TMemorySurface(320, 16), G(g) {}
    bool Lock(TLockedSurfaceDesc& d) override { G.Check(); return TMemorySurface::Lock(d); }
    void Unlock() override { G.Check(); TMemorySurface::Unlock(); }
    void Flip() override { G.Check(); }
    Gone& G;
  } surface(gone);
  struct Host : TRecordingHost {
    Host(Gone& g) : G(g) {}
    void SetProgressTimer(bool) override { G.Check(); }
    void SetFrameTimer(bool) override { G.Check(); }
    void SetCaption(const std::string&) override { G.Check(); }
    Gone& G;
  } host(gone);
  UseSSE2 = -1;
  MaxIterations = 3000000;  // every point inside: seconds per row
  ViewLeft = -0.4L;
  ViewTop = 0.2L;
  ViewHeight = 0.3L;
  const DWORD start = GetTickCount();
  {
    TRenderEngine engine(surface, host);
    engine.StartRender();
    Sleep(50);
    gone.Is = true;
  }
  EXPECT_EQ(gone.Touched, 0);
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_EQ(SurfaceLocked, 0);
}

}  // namespace
