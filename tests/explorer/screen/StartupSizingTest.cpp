// The client size start-up asks for, with and without the 4:3 window, ties included.
#include <gtest/gtest.h>

#include "explorer/screen/StartupSizing.h"
#include "tests/explorer/render/X87ControlWord.h"

namespace {

struct SizeCase {
  const char* What;
  int ScreenWidth, ScreenHeight;
  bool Force43;
  int ReadBackWidth;  // what the window reports after the width was set
  int Width, Height;
};

const SizeCase SizeCases[] = {
    {"1920 x 1080 without 4:3: multiples of 4", 1920, 1080, false, 1440, 1440, 808},
    {"1920 x 1080 with 4:3: 1 / 1.6 of the width", 1920, 1080, true, 1200, 1200, 900},
    {"1280 x 1024 with 4:3", 1280, 1024, true, 800, 800, 600},
    {"a tie of 1024.5 goes to 1024", 1366, 768, false, 1024, 1024, 576},
    {"a tie of 1027.5 goes to 1028", 1370, 768, false, 1028, 1028, 576},
    {"a wide screen is bound by its height", 2560, 1080, true, 1379, 1379, 1034},
    {"the height follows the width read back (1033.5 to 1034)", 2560, 1080, true, 1378, 1379,
     1034},
};

class StartupSize : public ::testing::TestWithParam<SizeCase> {
protected:
  StartupSize() : ControlWord(ExplorerControlWord) {}
  ScopedControlWord ControlWord;
};

TEST_P(StartupSize, ClientArea) {
  const SizeCase& c = GetParam();
  TStartupMetrics m;
  m.ScreenWidth = c.ScreenWidth;
  m.ScreenHeight = c.ScreenHeight;
  m.CaptionHeight = 19;
  m.MenuHeight = 19;
  m.FrameHeight = 4;
  EXPECT_EQ(StartupClientWidth(m, c.Force43), c.Width);
  EXPECT_EQ(StartupClientHeight(m, c.Force43, c.ReadBackWidth), c.Height);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupSize, ::testing::ValuesIn(SizeCases));

}  // namespace
