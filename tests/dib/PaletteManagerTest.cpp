// The palette cache: equal tables share one GDI palette that lives while anyone holds
// it; tables that differ only in ways the key does not see still get their own.
#include <gtest/gtest.h>

#include "dib/DIB.h"
#include "dib/PaletteManager.h"

namespace {

void Greys(RGBQUAD* t, int n) {
  for (int i = 0; i < n; ++i) t[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
}

bool IsPalette(HPALETTE p) { return GetObjectType(p) == OBJ_PAL; }

TEST(PaletteManager, EqualTablesShareOneHandleUntilTheLastRelease) {
  RGBQUAD a[256], b[256];
  Greys(a, 256);
  Greys(b, 256);
  TPaletteManager* m = PaletteManager();
  const int before = m->Count();
  HPALETTE p1 = m->CreatePalette(a, 256);
  HPALETTE p2 = m->CreatePalette(b, 256);
  EXPECT_EQ(p1, p2);
  EXPECT_EQ(m->Count(), before + 1);
  HPALETTE keep = p1;
  m->DeletePalette(p1);
  EXPECT_EQ(p1, nullptr);
  EXPECT_TRUE(IsPalette(keep));
  m->DeletePalette(p2);
  EXPECT_FALSE(IsPalette(keep));
  EXPECT_EQ(m->Count(), before);
}

TEST(PaletteManager, SameKeyOrSamePrefixStillDiffers) {
  RGBQUAD a[256], b[256];
  Greys(a, 256);
  Greys(b, 256);
  a[5] = RGBQUAD{1, 2, 3, 0};
  b[5] = RGBQUAD{3, 2, 1, 0};  // red and blue swapped: the same key
  TPaletteManager* m = PaletteManager();
  HPALETTE pa = m->CreatePalette(a, 256), pb = m->CreatePalette(b, 256);
  HPALETTE p16 = m->CreatePalette(a, 16);
  EXPECT_NE(pa, pb);
  EXPECT_NE(pa, p16);
  PALETTEENTRY e[2];
  ASSERT_EQ(GetPaletteEntries(pb, 5, 1, e), 1u);
  EXPECT_EQ(e[0].peRed, 1);
  EXPECT_EQ(e[0].peBlue, 3);
  EXPECT_EQ(GetPaletteEntries(p16, 0, 256, nullptr), 16u);
  m->DeletePalette(pa);
  m->DeletePalette(pb);
  m->DeletePalette(p16);
}

TEST(PaletteManager, AHandleItDoesNotHoldIsLeftAlone) {
  HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  HPALETTE h = stock;
  PaletteManager()->DeletePalette(h);
  EXPECT_EQ(h, stock);
}

TEST(PaletteManager, ImagesWithEqualColoursGetTheSamePalette) {
  TDIB* a = New<TDIB>();
  TDIB* b = New<TDIB>();
  a->SetSize(4, 4, 8);
  b->SetSize(8, 2, 8);
  HPALETTE p = a->Palette();
  ASSERT_TRUE(IsPalette(p));
  EXPECT_EQ(b->Palette(), p);
  a->Free();
  EXPECT_TRUE(IsPalette(p));
  b->Free();
  EXPECT_FALSE(IsPalette(p));
}

}  // namespace
