// The palette tools as the main window applies them: copy and exchange (with overlapping
// and clipped ranges), copy from another palette, change colour, rotate and reverse.
#include <gtest/gtest.h>

#include "tests/paletteeditor/PaletteTestSupport.h"
#include "paletteeditor/core/PaletteTools.h"

namespace {

using pal::PaletteColours;

// Entry i holds the value i, so a moved entry tells where it came from.
PaletteColours Indexed() {
  PaletteColours p;
  for (int i = 0; i < 256; ++i) p[i] = pal::Colour(i);
  return p;
}

// Entries lo..hi of p, as values.
std::vector<pal::Colour> Range(const PaletteColours& p, int lo, int hi) {
  return std::vector<pal::Colour>(p.begin() + lo, p.begin() + hi + 1);
}

void ExpectOthersUnchanged(const PaletteColours& p, int lo, int hi) {
  for (int i = 0; i < 256; ++i)
    if (i < lo || i > hi) {
      EXPECT_EQ(pal::Colour(i), p[i]) << "entry " << i;
    }
}

TEST(CopyColours, CopiesARangeToANewPlace) {
  PaletteColours p = Indexed();
  pal::CopyColours(p, 10, 12, 100);
  EXPECT_EQ((std::vector<pal::Colour>{10, 11, 12}), Range(p, 100, 102));
  ExpectOthersUnchanged(p, 100, 102);
}

TEST(CopyColours, StopsAtEntry255) {
  PaletteColours p = Indexed();
  pal::CopyColours(p, 0, 15, 250);
  EXPECT_EQ((std::vector<pal::Colour>{0, 1, 2, 3, 4, 5}), Range(p, 250, 255));
  ExpectOthersUnchanged(p, 250, 255);
}

TEST(CopyColours, OverlapAboveTheSourceRepeatsItsStart) {
  PaletteColours p = Indexed();
  pal::CopyColours(p, 0, 15, 4);
  for (int t = 4; t <= 19; ++t) EXPECT_EQ(pal::Colour((t - 4) % 4), p[t]) << t;
  ExpectOthersUnchanged(p, 4, 19);
}

TEST(CopyColours, OverlapBelowTheSourceShiftsIt) {
  PaletteColours p = Indexed();
  pal::CopyColours(p, 4, 9, 2);
  EXPECT_EQ((std::vector<pal::Colour>{4, 5, 6, 7, 8, 9}), Range(p, 2, 7));
  ExpectOthersUnchanged(p, 2, 7);
}

TEST(CopyColours, ReversedOrOutOfRangeArgumentsChangeNothing) {
  for (const auto& a : {std::array<int, 3>{5, 4, 100}, std::array<int, 3>{-1, 4, 100},
                        std::array<int, 3>{0, 256, 10}, std::array<int, 3>{0, 4, 256},
                        std::array<int, 3>{0, 4, -3}}) {
    PaletteColours p = Indexed();
    pal::CopyColours(p, a[0], a[1], a[2]);
    pal::ExchangeColours(p, a[0], a[1], a[2]);
    pal::CopyFromOtherPalette(p, MarkedPalette(), a[0], a[1], a[2]);
    ExpectOthersUnchanged(p, -1, -1);
  }
}

TEST(ExchangeColours, SwapsTwoRanges) {
  PaletteColours p = Indexed();
  pal::ExchangeColours(p, 0, 2, 10);
  EXPECT_EQ((std::vector<pal::Colour>{10, 11, 12}), Range(p, 0, 2));
  EXPECT_EQ((std::vector<pal::Colour>{0, 1, 2}), Range(p, 10, 12));
  ExpectOthersUnchanged(p, 0, 12);
  for (int i = 3; i < 10; ++i) EXPECT_EQ(pal::Colour(i), p[i]);
}

TEST(ExchangeColours, ClippedAtTheEndSwapsOnlyWhatFits) {
  PaletteColours p = Indexed();
  pal::ExchangeColours(p, 0, 9, 253);
  EXPECT_EQ((std::vector<pal::Colour>{253, 254, 255}), Range(p, 0, 2));
  EXPECT_EQ((std::vector<pal::Colour>{0, 1, 2}), Range(p, 253, 255));
  for (int i = 3; i < 253; ++i) EXPECT_EQ(pal::Colour(i), p[i]) << i;
}

TEST(ExchangeColours, OverlappingRangesSwapInAscendingOrder) {
  PaletteColours p = Indexed();
  // t = 2 swaps 2 and 0, t = 3 swaps 3 and 1, t = 4 swaps 4 and 2 (which now holds 0).
  pal::ExchangeColours(p, 0, 2, 2);
  EXPECT_EQ((std::vector<pal::Colour>{2, 3, 4, 1, 0}), Range(p, 0, 4));
}

TEST(CopyFromOtherPalette, TakesTheSourceFromTheOtherPalette) {
  PaletteColours p = Indexed();
  const PaletteColours other = TestPalette();
  pal::CopyFromOtherPalette(p, other, 0, 127, 128);
  for (int t = 128; t < 256; ++t) EXPECT_EQ(other[t - 128], p[t]) << t;
  ExpectOthersUnchanged(p, 128, 255);
  // An overlap in place cannot arise: the source is never written.
  PaletteColours q = Indexed();
  pal::CopyFromOtherPalette(q, other, 0, 15, 4);
  for (int t = 4; t <= 19; ++t) EXPECT_EQ(other[t - 4], q[t]) << t;
}

TEST(ChangeColour, ReplacesOnlyExactMatchesInsideTheRange) {
  PaletteColours p{};
  p[3] = 0x112233;
  p[4] = 0x112234;
  p[5] = 0x112233;
  p[9] = 0x112233;
  pal::ChangeColour(p, 3, 8, 0x112233, 0xFFFFFF);
  EXPECT_EQ(0xFFFFFFu, p[3]);
  EXPECT_EQ(0x112234u, p[4]);
  EXPECT_EQ(0xFFFFFFu, p[5]);
  EXPECT_EQ(0x112233u, p[9]);  // outside
  EXPECT_EQ(0u, p[0]);
  PaletteColours q = p;
  pal::ChangeColour(q, 8, 3, 0xFFFFFF, 0);  // To below From: nothing
  ExpectSamePalette(p, q);
}

TEST(RotateColours, LeftRightAndAFullTurn) {
  const pal::Colour a = 0xA, b = 0xB, c = 0xC, d = 0xD;
  const struct {
    int amount;
    pal::RotateDirection dir;
    std::vector<pal::Colour> want;
  } cases[] = {
      {1, pal::RotateDirection::Left, {b, c, d, a}},
      {1, pal::RotateDirection::Right, {d, a, b, c}},
      {4, pal::RotateDirection::Left, {a, b, c, d}},
      {4, pal::RotateDirection::Right, {a, b, c, d}},
      {6, pal::RotateDirection::Left, {c, d, a, b}},
      {0, pal::RotateDirection::Left, {a, b, c, d}},
      {-3, pal::RotateDirection::Right, {a, b, c, d}},
  };
  for (const auto& k : cases) {
    PaletteColours p = Indexed();
    p[0] = a, p[1] = b, p[2] = c, p[3] = d;
    pal::RotateColours(p, 0, 3, k.amount, k.dir);
    EXPECT_EQ(k.want, Range(p, 0, 3)) << k.amount << " " << int(k.dir);
    for (int i = 4; i < 256; ++i) EXPECT_EQ(pal::Colour(i), p[i]);
  }
}

TEST(RotateColours, WholePaletteAndDegenerateRanges) {
  PaletteColours p = Indexed();
  pal::RotateColours(p, 0, 255, 1, pal::RotateDirection::Right);
  EXPECT_EQ(255u, p[0]);
  EXPECT_EQ(0u, p[1]);
  EXPECT_EQ(254u, p[255]);
  for (int from_to : {0, 17, 255}) {
    PaletteColours q = Indexed();
    pal::RotateColours(q, from_to, from_to, 3, pal::RotateDirection::Left);
    ExpectOthersUnchanged(q, -1, -1);
  }
  // A reversed range would copy one entry over another; it is left alone.
  PaletteColours r = Indexed();
  pal::RotateColours(r, 20, 10, 1, pal::RotateDirection::Left);
  pal::RotateColours(r, 20, 10, 1, pal::RotateDirection::Right);
  ExpectOthersUnchanged(r, -1, -1);
}

TEST(ReverseColours, EvenAndOddRanges) {
  PaletteColours p = Indexed();
  pal::ReverseColours(p, 10, 13);
  EXPECT_EQ((std::vector<pal::Colour>{13, 12, 11, 10}), Range(p, 10, 13));
  ExpectOthersUnchanged(p, 10, 13);
  PaletteColours q = Indexed();
  pal::ReverseColours(q, 10, 14);
  EXPECT_EQ((std::vector<pal::Colour>{14, 13, 12, 11, 10}), Range(q, 10, 14));
  ExpectOthersUnchanged(q, 10, 14);
  PaletteColours w = Indexed();
  pal::ReverseColours(w, 0, 255);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(pal::Colour(255 - i), w[i]);
}

TEST(ReverseColours, ReversedRanges) {
  // One apart: the two ends swap, as a reverse of the two entries would.
  PaletteColours p = Indexed();
  pal::ReverseColours(p, 11, 10);
  EXPECT_EQ((std::vector<pal::Colour>{11, 10}), Range(p, 10, 11));
  ExpectOthersUnchanged(p, 10, 11);
  PaletteColours q = Indexed();
  pal::ReverseColours(q, 20, 10);
  ExpectOthersUnchanged(q, -1, -1);
}

}  // namespace
