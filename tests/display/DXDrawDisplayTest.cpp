// Display settings and the best-fit search, over mode lists that the stand-in
// DirectDraw reports and switch results it records (the real display is untouched).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/display/DirectDrawTestSupport.h"
#include "tests/display/FakeDirectDraw.h"
#include "display/DXDrawDisplay.h"
#include "forms/core/StringList.h"

namespace {

class TTestDisplayOwner : public TDXDrawDisplayOwner {
public:
  TDirectDraw* ddraw = nullptr;
  GUID* driver = nullptr;
  TDirectDraw* DisplayDDraw() const override { return ddraw; }
  GUID* DisplayDriverGUID() const override { return driver; }
};

std::string ModeText(const FakeDisplayMode& m) {
  return std::to_string(m.width) + "x" + std::to_string(m.height) + "x" + std::to_string(m.bitCount);
}

std::string ModesText(const std::vector<FakeDisplayMode>& modes) {
  std::string text;
  for (const FakeDisplayMode& m : modes) text += (text.empty() ? "" : " ") + ModeText(m);
  return text;
}

// A display whose control holds a stand-in DirectDraw object with the given modes.
struct FakeDisplay {
  explicit FakeDisplay(std::vector<FakeDisplayMode> modes, std::vector<FakeDisplayMode> refused = {}) {
    FakeDirectDraw::Install();
    FakeDirectDraw::Settings().replaceModes = true;
    FakeDirectDraw::Settings().modes = std::move(modes);
    FakeDirectDraw::Settings().refusedModes = std::move(refused);
    owner.ddraw = new TDirectDraw(nullptr, false);
    display = new TDXDrawDisplay(&owner);
  }
  ~FakeDisplay() {
    display->Free();
    owner.ddraw->Free();
    FakeDirectDraw::Uninstall();
  }
  FakeDisplay(const FakeDisplay&) = delete;
  FakeDisplay& operator=(const FakeDisplay&) = delete;

  TTestDisplayOwner owner;
  TDXDrawDisplay* display;
};

TEST(DXDrawDisplay, StartsWithItsDefaultsAndStoresOnlyValidValues) {
  TDXDrawDisplay display(nullptr);
  EXPECT_EQ(display.Width(), 640);
  EXPECT_EQ(display.Height(), 480);
  EXPECT_EQ(display.BitCount(), 8);
  EXPECT_TRUE(display.FixedBitCount());
  EXPECT_TRUE(display.FixedRatio());
  EXPECT_FALSE(display.FixedSize());
  display.SetWidth(-5);
  display.SetHeight(-1);
  EXPECT_EQ(display.Width(), 0);
  EXPECT_EQ(display.Height(), 0);
  for (int bits : {16, 24, 32, 8}) {
    display.SetBitCount(bits);
    EXPECT_EQ(display.BitCount(), bits);
  }
  display.SetBitCount(32);
  for (int bits : {15, 0, 4, 64, -8}) {
    try {
      display.SetBitCount(bits);
      ADD_FAILURE() << "took " << bits << " bits";
    } catch (const EDirectDrawError& e) {
      EXPECT_EQ(e.Message(), SDXInvalidDisplayBitCount);
    }
    EXPECT_EQ(display.BitCount(), 32);
  }
  EXPECT_FALSE(display.SetDisplayMode(640, 480, 8));  // no DirectDraw object
}

TEST(DXDrawDisplay, AssignCopiesTheSettingsButNotTheModes) {
  FakeDisplay f({{640, 480, 8}, {800, 600, 16}});
  TDXDrawDisplay other(nullptr);
  other.SetWidth(800);
  other.SetHeight(600);
  other.SetBitCount(16);
  other.SetFixedBitCount(false);
  other.SetFixedRatio(false);
  other.SetFixedSize(true);
  ASSERT_EQ(f.display->Count(), 2);
  f.display->Assign(&other);
  EXPECT_EQ(f.display->Width(), 800);
  EXPECT_EQ(f.display->Height(), 600);
  EXPECT_EQ(f.display->BitCount(), 16);
  EXPECT_FALSE(f.display->FixedBitCount());
  EXPECT_FALSE(f.display->FixedRatio());
  EXPECT_TRUE(f.display->FixedSize());
  EXPECT_EQ(f.display->DXDraw(), &f.owner);
  f.display->Assign(f.display);
  EXPECT_EQ(f.display->Width(), 800);
  TStringList notADisplay;
  EXPECT_THROW(f.display->Assign(&notADisplay), EConvertError);
}

TEST(DXDrawDisplay, ListsTheModesAscendingWhateverOrderTheDriverReports) {
  FakeDisplay f({{800, 600, 8}, {640, 480, 32}, {1024, 768, 16}, {640, 480, 8}, {800, 600, 32}, {640, 480, 16},
                 {640, 400, 8}});
  ASSERT_EQ(f.display->Count(), 7);
  std::vector<FakeDisplayMode> listed;
  for (int i = 0; i < f.display->Count(); ++i) {
    TDXDrawDisplayMode* m = f.display->Modes(i);
    listed.push_back({m->Width(), m->Height(), m->BitCount()});
  }
  EXPECT_EQ(ModesText(listed), "640x400x8 640x480x8 640x480x16 640x480x32 800x600x8 800x600x32 1024x768x16");
  EXPECT_EQ(f.display->Modes(1)->SurfaceDesc().dwSize, sizeof(DDSURFACEDESC));
  EXPECT_EQ(f.display->IndexOf(640, 480, 16), 2);
  EXPECT_EQ(f.display->IndexOf(1024, 768, 24), -1);
  EXPECT_THROW(f.display->Modes(7), EListError);
}

TEST(DXDrawDisplay, AFailedEnumerationLoadsNothingAndIsTriedAgain) {
  FakeDisplay f({{640, 480, 8}});
  FakeDirectDraw::Settings().enumerationResult = DDERR_GENERIC;
  EXPECT_EQ(f.display->Count(), 0);
  EXPECT_EQ(f.owner.ddraw->DXResult(), DDERR_GENERIC);
  FakeDirectDraw::Settings().enumerationResult = DD_OK;
  EXPECT_EQ(f.display->Count(), 1);
  FakeDirectDraw::Settings().modes.push_back({800, 600, 8});
  EXPECT_EQ(f.display->Count(), 1);  // kept until cleared
  f.display->ClearModes();
  EXPECT_EQ(f.display->Count(), 2);
}

TEST(DXDrawDisplay, WithoutAControlObjectEnumeratesThroughATemporaryOne) {
  FakeDirectDrawScope fake;
  FakeDirectDraw::Settings().replaceModes = true;
  FakeDirectDraw::Settings().modes = {{800, 600, 16}, {640, 480, 16}};
  TTestDisplayOwner owner;
  TDXDrawDisplay display(&owner);
  EXPECT_EQ(display.Count(), 2);
  EXPECT_EQ(display.Modes(0)->Width(), 640);
  EXPECT_EQ(FakeDirectDraw::LiveDirectDraws(), 0);
  EXPECT_FALSE(display.SetDisplayMode(640, 480, 16));  // a switch needs the control's object
  display.ClearModes();
  FakeDirectDraw::Settings().createResult = DDERR_NODIRECTDRAWHW;
  try {
    display.Count();
    ADD_FAILURE() << "enumerated without DirectDraw";
  } catch (const EDirectDrawError& e) {
    EXPECT_EQ(e.Message(), Format(SDXCannotInitialized, SDirectDraw));
  }
}

struct BestFitCase {
  const char* name;
  std::vector<FakeDisplayMode> modes;
  std::vector<FakeDisplayMode> refused;
  bool fixedBitCount, fixedRatio, fixedSize;
  FakeDisplayMode wanted;
  bool result;
  const char* switches;  // every mode asked of DirectDraw, in order
};

TEST(DXDrawDisplay, SetBestDisplayModeChoosesTheSmallestCoveringMode) {
  const std::vector<FakeDisplayMode> wine{{640, 480, 8}, {640, 480, 16}, {640, 480, 32}, {800, 600, 8},
                                          {800, 600, 16}, {800, 600, 32}, {1024, 768, 8}, {1024, 768, 16},
                                          {1024, 768, 32}};
  const BestFitCase cases[] = {
      {"exact", wine, {}, true, true, false, {800, 600, 16}, true, "800x600x16"},
      {"ratio keeps the size, any count above 8", {{800, 600, 32}, {1024, 768, 16}}, {}, false, true, false,
       {800, 600, 16}, true, "800x600x16 800x600x32"},
      {"ratio with a fixed count goes larger", {{800, 600, 32}, {1024, 768, 16}}, {}, true, true, false,
       {800, 600, 16}, true, "800x600x16 1024x768x16"},
      {"8 bits take at least 8", {{640, 480, 16}, {640, 480, 32}}, {}, false, true, false, {640, 480, 8}, true,
       "640x480x8 640x480x32"},
      {"16 bits never take 8", {{640, 480, 8}, {800, 600, 8}}, {}, false, true, false, {640, 480, 16}, false,
       "640x480x16"},
      {"the smallest covering size", {{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}}, {}, true, false, false,
       {700, 500, 16}, true, "700x500x16 800x600x16"},
      {"the wanted count preferred at the chosen size", {{640, 480, 16}, {640, 480, 32}}, {}, false, false, false,
       {600, 400, 16}, true, "600x400x16 640x480x16"},
      {"the ratio first, even when larger", {{1024, 768, 32}, {1280, 720, 32}}, {}, true, true, false,
       {800, 450, 32}, true, "800x450x32 1280x720x32"},
      {"without the ratio, the smaller", {{1024, 768, 32}, {1280, 720, 32}}, {}, true, false, false,
       {800, 450, 32}, true, "800x450x32 1024x768x32"},
      {"no ratio match falls back to any size", {{1024, 768, 32}}, {}, true, true, false, {800, 450, 32}, true,
       "800x450x32 1024x768x32"},
      {"a fixed size never takes another size", wine, {}, false, true, true, {720, 480, 16}, false,
       "720x480x16"},
      {"a fixed size may change the count", {{640, 480, 8}, {800, 600, 16}, {1024, 768, 16}}, {}, false, true,
       true, {800, 600, 8}, true, "800x600x8 800x600x16"},
      {"a refused choice is not replaced by another mode", {{640, 480, 8}, {640, 480, 16}, {640, 480, 32}},
       {{640, 480, 16}}, false, true, false, {640, 480, 16}, false, "640x480x16 640x480x16 640x480x16"},
      {"nothing covers the size", wine, {}, false, false, false, {1280, 1024, 32}, false, "1280x1024x32"},
      {"zero width", wine, {}, false, false, false, {0, 480, 8}, false, ""},
      {"negative height", wine, {}, false, false, false, {640, -1, 8}, false, ""},
      {"a bit count no display has", wine, {}, false, false, false, {640, 480, 15}, false, ""},
  };
  for (const BestFitCase& c : cases) {
    FakeDisplay f(c.modes, c.refused);
    f.display->SetFixedBitCount(c.fixedBitCount);
    f.display->SetFixedRatio(c.fixedRatio);
    f.display->SetFixedSize(c.fixedSize);
    f.display->SetWidth(321);
    f.display->SetHeight(123);
    f.display->SetBitCount(24);
    const bool result = f.display->SetBestDisplayMode(c.wanted.width, c.wanted.height, c.wanted.bitCount);
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(ModesText(FakeDirectDraw::ModeSwitches()), c.switches) << c.name;
    if (result) {
      // The display reports the mode that was really set.
      EXPECT_EQ(ModeText({f.display->Width(), f.display->Height(), f.display->BitCount()}),
                ModeText(FakeDirectDraw::ModeSwitches().back()))
          << c.name;
    } else {
      EXPECT_EQ(ModeText({f.display->Width(), f.display->Height(), f.display->BitCount()}), "321x123x24") << c.name;
    }
  }
}

}  // namespace
