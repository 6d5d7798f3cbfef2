// The single-thread renderer of the frame timer: the three interlaced passes and their
// flips, one row per tick with every row presented, the finish, renders of fewer than
// three rows, failed locks, the selection animation, and the one-processor road.
#include <algorithm>

#include "tests/explorer/render/EngineTestSupport.h"
#include "explorer/render/ProcessorCount.h"

namespace {

// Records, at every unlock, which rows changed since the last one.
class TRowRecordingSurface : public TMemorySurface {
public:
  using TMemorySurface::TMemorySurface;
  void Unlock() override {
    TMemorySurface::Unlock();
    if (Seen.size() != Memory.size()) Seen.assign(Memory.size(), 0xEE);
    for (std::int32_t y = 0; y < height_; ++y) {
      const std::size_t at = std::size_t(y) * pitch_;
      if (!std::equal(Memory.begin() + at, Memory.begin() + at + pitch_, Seen.begin() + at))
        Rows.push_back(y);
    }
    Seen = Memory;
  }
  void Flip() override {
    TMemorySurface::Flip();
    FlipAfterRows.push_back(static_cast<int>(Rows.size()));
  }
  std::vector<std::int32_t> Rows;          // rows in the order they were stored
  std::vector<int> FlipAfterRows;          // how many rows were stored before each flip
  std::vector<std::uint8_t> Seen;
};

class FrameRendererTest : public EngineFixture {
protected:
  FrameRendererTest() { UseMultiThreading = 0; }
  ~FrameRendererTest() override { ProcessorCountOverride = 0; }
};

std::vector<std::int32_t> Interlaced(std::int32_t height) {
  std::vector<std::int32_t> rows;
  for (std::int32_t r = 0; r < height; r += 4) rows.push_back(r);
  for (std::int32_t r = 2; r < height; r += 4) rows.push_back(r);
  for (std::int32_t r = 1; r < height; r += 2) rows.push_back(r);
  return rows;
}

TEST_F(FrameRendererTest, HideDrawingRendersThreeInterlacedPassesAndFlipsAfterEach) {
  HideDrawing = -1;
  TRowRecordingSurface surface(640, 480);
  surface.Fill(0xEE);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  EXPECT_TRUE(host.FrameTimer);
  EXPECT_TRUE(engine.SingleThreadRenderUnderWay());
  EXPECT_FALSE(engine.WorkersRunning());
  EXPECT_EQ(RenderRow, 0);
  EXPECT_EQ(RenderPass, 1);
  const int ticks = RunFrames(engine);
  EXPECT_EQ(ticks, 120 + 120 + 240);
  EXPECT_EQ(surface.Rows, Interlaced(480));
  EXPECT_EQ(surface.FlipAfterRows, (std::vector<int>{120, 240, 480}));
  EXPECT_FALSE(host.FrameTimer);
  EXPECT_EQ(host.Captions, 1);
  EXPECT_EQ(host.Finished, 1);
  EXPECT_EQ(RenderPass, 1);
  EXPECT_GE(RenderRow, RenderHeight);
  EXPECT_EQ(surface.Locks, 480);
  EXPECT_EQ(surface.Unlocks, 480);
  EXPECT_EQ(SurfaceLocked, 0);
  engine.FrameTick();  // a finished render renders nothing more
  EXPECT_EQ(surface.Locks, 480);
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(FrameRendererTest, WithoutHideDrawingEveryRowIsPresentedAfterItIsRendered) {
  HideDrawing = 0;
  TRowRecordingSurface surface(640, 480);
  surface.Fill(0xEE);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  EXPECT_EQ(RunFrames(engine), 480);
  std::vector<std::int32_t> rows(480);
  std::vector<int> flips(480);
  for (int i = 0; i < 480; ++i) rows[i] = i, flips[i] = i + 1;
  EXPECT_EQ(surface.Rows, rows);
  EXPECT_EQ(surface.FlipAfterRows, flips);
  EXPECT_EQ(host.Captions, 1);
  EXPECT_FALSE(host.FrameTimer);
}

TEST_F(FrameRendererTest, AChangeOfHideDrawingTakesEffectAtTheNextAdvance) {
  HideDrawing = -1;
  TRowRecordingSurface surface(64, 48);
  surface.Fill(0xEE);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  for (int i = 0; i < 5; ++i) engine.FrameTick();  // rows 0, 4, 8, 12, 16
  HideDrawing = 0;
  RunFrames(engine);
  std::vector<std::int32_t> rows = {0, 4, 8, 12, 16};
  for (std::int32_t r = 20; r < 48; ++r) rows.push_back(r);
  EXPECT_EQ(surface.Rows, rows);
  EXPECT_EQ(surface.Flips, 48 - 20);
  EXPECT_EQ(host.Captions, 1);
  EXPECT_FALSE(engine.SingleThreadRenderUnderWay());
}

TEST_F(FrameRendererTest, ImagesOfFewerThanThreeRowsStillFinish) {
  for (std::int32_t height : {1, 2, 3, 5}) {
    HideDrawing = -1;
    TRowRecordingSurface surface(16, height);
    surface.Fill(0xEE);
    TRecordingHost host;
    TRenderEngine engine(surface, host);
    engine.StartRender();
    RunFrames(engine, 100);
    EXPECT_FALSE(engine.SingleThreadRenderUnderWay()) << height << " rows";
    EXPECT_EQ(surface.Rows, Interlaced(height)) << height << " rows";
    EXPECT_EQ(surface.Flips, 3) << height << " rows";
    EXPECT_EQ(host.Captions, 1) << height << " rows";
  }
}

TEST_F(FrameRendererTest, ADisplayThatCannotDrawHoldsTheRenderAtItsRow) {
  struct Blocked : TMemorySurface {
    using TMemorySurface::TMemorySurface;
    bool CanDraw() override { return Can; }
    bool Can = true;
  } surface(32, 24);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  engine.FrameTick();
  EXPECT_EQ(RenderRow, 4);
  surface.Can = false;
  for (int i = 0; i < 10; ++i) engine.FrameTick();
  EXPECT_EQ(RenderRow, 4);
  EXPECT_EQ(surface.Locks, 1);
  surface.Can = true;
  RunFrames(engine);
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(FrameRendererTest, AFailedLockSkipsThePixelsButKeepsTheCounts) {
  TMemorySurface surface(32, 24);
  surface.Fill(0xEE);
  surface.FailLocks = true;
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  RunFrames(engine);
  EXPECT_EQ(surface.Unlocks, 0);
  EXPECT_TRUE(std::all_of(surface.Memory.begin(), surface.Memory.end(),
                          [](std::uint8_t b) { return b == 0xEE; }));
  int wrong = 0;
  for (std::int32_t y = 0; y < 24; ++y)
    for (std::int32_t x = 0; x < 32; ++x) {
      const std::int32_t n = ReferencePoint(ColumnX(x), FrameRowY(y));
      wrong += IterBuffer[y * 32 + x] != (n < RenderMaxIterations ? n : 0);
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(FrameRendererTest, TheSelectionIsDrawnAndErasedEveryTick) {
  struct Case {
    std::uint8_t Nt6;
    int Waits;
  } cases[] = {{1, 0}, {0, 1}};
  for (const Case& c : cases) {
    WinNT6OrLater = c.Nt6;
    struct Waiting : TMemorySurface {
      using TMemorySurface::TMemorySurface;
      void WaitForVerticalBlank() override { ++Waits; }
      int Waits = 0;
    } surface(32, 24);
    TRecordingHost host;
    host.Selection = true;
    TRenderEngine engine(surface, host);
    engine.StartRender();
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    engine.FrameTick();
    QueryPerformanceCounter(&end);
    // The 20 ms between drawing and erasing.
    EXPECT_GE(double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart), 0.019);
    EXPECT_EQ(host.SelectionDrawings, 2);
    EXPECT_EQ(surface.Waits, c.Waits);
    EXPECT_EQ(RenderRow, 4);  // and a row was rendered in the same tick
  }
}

TEST_F(FrameRendererTest, WithWorkersTheFrameTimerOnlyAnimatesTheSelection) {
  UseMultiThreading = -1;
  TMemorySurface surface(32, 24);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  RunWorkers(engine);
  const int locks = surface.Locks;
  host.Selection = true;
  engine.FrameTick();
  EXPECT_EQ(host.SelectionDrawings, 2);
  EXPECT_EQ(surface.Locks, locks);
  EXPECT_FALSE(engine.SingleThreadRenderUnderWay());
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(FrameRendererTest, AMultithreadedRenderStartedDuringAFrameRenderEndsIt) {
  TMemorySurface surface(32, 24);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  engine.FrameTick();
  UseMultiThreading = -1;
  engine.StopRender();
  engine.StartRender();
  EXPECT_FALSE(engine.SingleThreadRenderUnderWay());
  EXPECT_FALSE(host.FrameTimer);
  RunWorkers(engine);
  const int locks = surface.Locks;
  for (int i = 0; i < 10; ++i) engine.FrameTick();
  EXPECT_EQ(surface.Locks, locks);  // no row rendered beside or after the workers
  EXPECT_EQ(host.Captions, 1);
}

TEST_F(FrameRendererTest, OneProcessorRendersOnTheFrameTimer) {
  ProcessorCountOverride = 1;
  EXPECT_EQ(ProcessorCount(), 1);
  CpuCount = ProcessorCount();
  // Start-up forces multithreading off on one processor.
  UseMultiThreading = CpuCount > 1 ? -1 : 0;
  TMemorySurface surface(48, 36);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  EXPECT_FALSE(engine.WorkersRunning());
  EXPECT_TRUE(host.FrameTimer);
  RunFrames(engine);
  EXPECT_EQ(host.Captions, 1);
  ProcessorCountOverride = 0;
  EXPECT_GE(ProcessorCount(), 1);
}

}  // namespace
