// The surface wrapper where Wine cannot go: video memory running out and lost
// surfaces, through the stand-in DirectDraw in front of Wine's.
#include <gtest/gtest.h>

#include "tests/display/DirectDrawTestSupport.h"
#include "tests/display/FakeDirectDraw.h"

namespace {

TEST(DirectDrawSurfaceFake, FallsBackToSystemMemoryAndAsksForItFirstFromThenOn) {
  FakeDirectDrawScope fake;
  FakeDirectDraw::Settings().videoMemoryFull = true;
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(64, 48);
  ASSERT_TRUE(FakeDirectDraw::IsFakeSurface(s->IDDSurface()));
  EXPECT_EQ(s->Width(), 64);
  EXPECT_TRUE(s->SystemMemory());
  EXPECT_TRUE(s->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);
  s->SetSize(32, 32);
  const std::vector<DWORD> expected{DDSCAPS_OFFSCREENPLAIN, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY,
                                    DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY};
  EXPECT_EQ(FakeDirectDraw::CreateRequests(), expected);
}

TEST(DirectDrawSurfaceFake, RaisesWhenNoMemoryTakesTheSurface) {
  FakeDirectDrawScope fake;
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  try {
    s->SetSize(1 << 20, 1 << 20);  // more than any memory holds
    ADD_FAILURE() << "made a surface of 2^40 pixels";
  } catch (const EDirectDrawSurfaceError& e) {
    EXPECT_EQ(e.Message(), Format(SDXCannotMade, SDXSurface));
  }
  EXPECT_EQ(s->IDDSurface(), nullptr);
  EXPECT_NE(w.ddraw->DXResult(), DD_OK);
  EXPECT_EQ(FakeDirectDraw::CreateRequests().size(), 2u);
}

TEST(DirectDrawSurfaceFake, ALostSurfaceRefusesTheLockUntilRestored) {
  FakeDirectDrawScope fake;
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(16, 16);
  FakeDirectDraw::LoseAllSurfaces();
  EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
  DDSURFACEDESC d{};
  EXPECT_FALSE(s->Lock(d));
  EXPECT_EQ(s->DXResult(), DDERR_SURFACELOST);
  EXPECT_EQ(s->LockCount(), 0);
  s->Unlock();  // after a failed lock: harmless
  EXPECT_EQ(s->LockCount(), 0);
  EXPECT_FALSE(s->Fill(0));
  ASSERT_TRUE(s->Restore());
  EXPECT_EQ(s->IsLost(), DD_OK);
  EXPECT_TRUE(s->Lock(d));
  s->Unlock();
}

TEST(DirectDrawSurfaceFake, AFailedRestoreLeavesTheSurfaceLost) {
  FakeDirectDrawScope fake;
  FakeDirectDraw::Settings().restoreFails = true;
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(16, 16);
  FakeDirectDraw::LoseSurface(s->IDDSurface());
  EXPECT_FALSE(s->Restore());
  EXPECT_EQ(s->DXResult(), DDERR_WRONGMODE);
  EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
}

TEST(DirectDrawSurfaceFake, TheStandInIsReleasedWithItsOwner) {
  FakeDirectDrawScope fake;
  {
    WindowedDirectDraw w(true);
    ASSERT_NE(w.ddraw->IDDraw7(), nullptr);
    auto* a = new TDirectDrawSurface(w.ddraw);
    auto* b = new TDirectDrawSurface(w.ddraw);
    a->SetSize(8, 8);
    a->Fill(0x00112233);
    b->Assign(a);  // a duplicate is a stand-in too
    EXPECT_TRUE(FakeDirectDraw::IsFakeSurface(b->IDDSurface()));
    EXPECT_EQ(FakeDirectDraw::LiveSurfaces(), 2);
  }
  EXPECT_EQ(FakeDirectDraw::LiveSurfaces(), 0);
  EXPECT_EQ(FakeDirectDraw::LiveDirectDraws(), 0);
}

TEST(DirectDrawFake, CreationFailuresRaiseTheirMessagesAndReleaseWhatWasObtained) {
  struct Case {
    bool directX7Mode;
    HRESULT createResult;
    bool refuseDirectDraw4;
    const char* message;
  };
  const Case cases[] = {
      {false, DDERR_NODIRECTDRAWHW, false, "DirectDraw cannot be initialized"},
      {true, DDERR_NODIRECTDRAWHW, false, "DirectDraw cannot be initialized"},
      {false, DD_OK, true, SDXSinceDirectX6},
      {true, DD_OK, true, SDXSinceDirectX7},
  };
  for (const Case& c : cases) {
    FakeDirectDrawScope fake;
    FakeDirectDraw::Settings().createResult = c.createResult;
    FakeDirectDraw::Settings().refuseDirectDraw4 = c.refuseDirectDraw4;
    try {
      TDirectDraw dd(nullptr, c.directX7Mode);
      ADD_FAILURE() << "made a DirectDraw object for " << c.message;
    } catch (const EDirectDrawError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(FakeDirectDraw::LiveDirectDraws(), 0) << c.message;
  }
}

}  // namespace
