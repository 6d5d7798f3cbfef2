// The library's finalisation in the class library's finish order: it takes TDIB out of
// the picture registry and frees the empty image and the palette cache. A program of its
// own, since nothing of the library may be used after it.
#include <gtest/gtest.h>

#include "dib/DIB.h"
#include "forms/runtime/Module.h"
#include "forms/graphics/Picture.h"

namespace {

TEST(DIBFinalization, FreesTheLibrarysSharedObjects) {
  TDIB* d = New<TDIB>();
  d->SetSize(2, 2, 8);
  HPALETTE palette = d->Palette();
  ASSERT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
  ASSERT_TRUE(TPicture::SupportsClipboardFormat(CF_DIB));
  d->Free();
  // A palette still cached at the end goes with the cache.
  HPALETTE cached = PaletteManager()->CreatePalette(EmptyDIBImage()->ColorTable, 256);
  FinalizeUnits();
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(CF_DIB));
  EXPECT_EQ(TPicture::FileFormatDescription("dib"), "");
  EXPECT_NE(GetObjectType(cached), static_cast<DWORD>(OBJ_PAL));
}

}  // namespace
