// Where the paint box puts its picture, as a table of options, client and picture sizes.
#include <gtest/gtest.h>

#include "dib/PaintBoxGeometry.h"

namespace {

struct Row {
  const char* what;
  TPaintBoxOptions options;
  int clientW, clientH, picW, picH;
  TPaintBoxPlacement expected;
};

TPaintBoxOptions Opts(bool autoStretch, bool center, bool keepAspect, bool stretch, int vw = 0,
                      int vh = 0) {
  TPaintBoxOptions o;
  o.AutoStretch = autoStretch;
  o.Center = center;
  o.KeepAspect = keepAspect;
  o.Stretch = stretch;
  o.ViewWidth = vw;
  o.ViewHeight = vh;
  return o;
}

TEST(PaintBoxGeometry, PlacesThePicture) {
  const Row rows[] = {
      {"centre, stretch, keep aspect", Opts(false, true, true, true), 320, 233, 320, 240,
       {4, 0, 311, 233, true}},
      {"all off: natural size, cropped", Opts(false, false, false, false), 320, 233, 320, 240,
       {0, 0, 320, 240, false}},
      {"centred and larger: negative offsets", Opts(false, true, false, false), 100, 50, 120, 70,
       {-10, -10, 120, 70, false}},
      {"auto stretch never enlarges", Opts(true, false, false, false), 400, 400, 100, 50,
       {0, 0, 100, 50, false}},
      {"auto stretch shrinks", Opts(true, false, false, false), 400, 400, 800, 200,
       {0, 0, 400, 100, true}},
      {"auto stretch wins over stretch", Opts(true, false, false, true), 400, 400, 100, 50,
       {0, 0, 100, 50, false}},
      {"stretch without aspect fills", Opts(false, false, false, true), 300, 200, 10, 10,
       {0, 0, 300, 200, true}},
      {"keep aspect enlarges", Opts(false, true, true, true), 300, 200, 10, 10,
       {50, 0, 200, 200, true}},
      {"view size", Opts(false, false, false, false, 50, 30), 400, 400, 10, 10,
       {0, 0, 50, 30, true}},
      {"view width only", Opts(false, true, false, false, 50, 0), 100, 100, 10, 20,
       {25, 40, 50, 20, true}},
      {"view size fitted by auto stretch", Opts(true, false, false, false, 800, 400), 400, 400,
       10, 10, {0, 0, 400, 200, true}},
      {"view size of the picture's own", Opts(false, false, false, false, 10, 10), 400, 400, 10,
       10, {0, 0, 10, 10, false}},
      {"ties round to even", Opts(false, false, true, true), 5, 100, 2, 3, {0, 0, 5, 8, true}},
  };
  for (const Row& r : rows) {
    const TPaintBoxPlacement p = PlacePicture(r.options, r.clientW, r.clientH, r.picW, r.picH);
    EXPECT_EQ(p.Left, r.expected.Left) << r.what;
    EXPECT_EQ(p.Top, r.expected.Top) << r.what;
    EXPECT_EQ(p.Width, r.expected.Width) << r.what;
    EXPECT_EQ(p.Height, r.expected.Height) << r.what;
    EXPECT_EQ(p.Scaled, r.expected.Scaled) << r.what;
  }
}

}  // namespace
