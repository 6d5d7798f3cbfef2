// The main window's sizing arithmetic as tables: the resize rule (4-pixel client steps,
// the 4:3 window, the docked parameters window's room), the 4:3 surface inside a
// full-screen mode, the configuration dialog's 4:3 test, the docked height by screen
// resolution, and the 10-pixel band without a sizing cursor.
#include <gtest/gtest.h>

#include "explorer/screen/WindowSizing.h"
#include "tests/explorer/render/X87ControlWord.h"

namespace {

// Caption 19, menu 19, sizing frame 4 x 4: frame height 46, side 8.
const TFrameMetrics Metrics{19, 19, 4, 4};

struct ResizeCase {
  const char* What;
  int ProposedWidth, ProposedHeight;
  bool Force43;
  int Docked;
  int ClientWidth, ClientHeight;
};

const ResizeCase ResizeCases[] = {
    {"2 x frame + 643 gives a client width of 640", 8 + 643, 46 + 500, false, 0, 640, 500},
    {"with the 4:3 window the client height becomes 480", 8 + 643, 46 + 100, true, 0, 640, 480},
    {"heights go down to a multiple of 4", 8 + 640, 46 + 483, false, 0, 640, 480},
    {"the docked window's 100 pixels are kept below the client", 8 + 640, 46 + 100 + 483,
     false, 100, 640, 480},
    {"docked with the 4:3 window: client 4:3 and the room added", 8 + 640, 46, true, 100, 640,
     480},
    {"4:3 of a width not divisible by 16: 0.75 x 644 = 483 down to 480", 8 + 644, 46, true, 0,
     644, 480},
    {"a client width of 642 goes down to 640 before the 4:3 height", 8 + 642, 46, true, 0, 640,
     480},
};

class ResizeRule : public ::testing::TestWithParam<ResizeCase> {
protected:
  ResizeRule() : ControlWord(ExplorerControlWord) {}
  ScopedControlWord ControlWord;
};

TEST_P(ResizeRule, GivesTheOuterSizeOfTheSteppedClientArea) {
  const ResizeCase& c = GetParam();
  const TWindowSize s =
      SizedWindow(Metrics, TWindowSize{c.ProposedWidth, c.ProposedHeight}, c.Force43, c.Docked);
  EXPECT_EQ(s.Width, c.ClientWidth + 8) << c.What;
  EXPECT_EQ(s.Height, 46 + c.ClientHeight + c.Docked) << c.What;
}

INSTANTIATE_TEST_SUITE_P(Cases, ResizeRule, ::testing::ValuesIn(ResizeCases));

TEST(WideScreenSurface, KeepsTheLargest43AreaOfTheDisplay) {
  ScopedControlWord cw(ExplorerControlWord);
  struct Case {
    int DisplayWidth, DisplayHeight, Width, Height;
  };
  const Case cases[] = {
      {1920, 1080, 1440, 1080},  // wide: the height holds
      {1280, 1024, 1280, 960},   // tall: the width holds
      {1280, 720, 960, 720},
      {800, 600, 800, 600},  // 4:3 modes keep their size
      {1024, 768, 1024, 768},
      {640, 480, 640, 480},
      {1366, 768, 1024, 768},
      {1000, 749, 999, 749},  // 998.67 to 999
      {10, 9, 10, 8},         // 7.5 ties to 8
      {14, 11, 14, 10},       // 10.5 ties to 10
  };
  for (const Case& c : cases) {
    const TWindowSize s = WideScreenSurface(c.DisplayWidth, c.DisplayHeight);
    EXPECT_EQ(s.Width, c.Width) << c.DisplayWidth << "x" << c.DisplayHeight;
    EXPECT_EQ(s.Height, c.Height) << c.DisplayWidth << "x" << c.DisplayHeight;
  }
}

TEST(ConfigurationRatio, OnlyExact43ModesCountAs43) {
  EXPECT_TRUE(IsFourByThree(800, 600));
  EXPECT_TRUE(IsFourByThree(1600, 1200));
  EXPECT_TRUE(IsFourByThree(320, 240));
  EXPECT_FALSE(IsFourByThree(1280, 720));
  EXPECT_FALSE(IsFourByThree(1280, 1024));
  EXPECT_FALSE(IsFourByThree(320, 200));
}

TEST(DockedPanelHeight, Is100PixelsAt96DotsPerInch) {
  ScopedControlWord cw(ExplorerControlWord);
  EXPECT_EQ(DockedPanelHeight(96), 100);
  EXPECT_EQ(DockedPanelHeight(120), 125);
  EXPECT_EQ(DockedPanelHeight(144), 150);
  EXPECT_EQ(DockedPanelHeight(72), 75);
}

TEST(BottomEdgeBand, SameTenPixelBandByRoundingOrTruncation) {
  ScopedControlWord cw(ExplorerControlWord);
  struct Case {
    int Bottom, Y;
    bool Inside;
  };
  const Case cases[] = {
      {600, 600, true},  {600, 596, true},   // rounding: 60 and 60
      {600, 595, true},                      // 59.5 ties to 60
      {600, 594, false}, {600, 605, true},   // 60.5 ties to 60
      {609, 601, true},                      // truncation: 60 and 60
      {609, 615, false}, {600, 500, false},
  };
  for (const Case& c : cases) EXPECT_EQ(InBottomEdgeBand(c.Bottom, c.Y), c.Inside) << c.Bottom << " " << c.Y;
}

}  // namespace
