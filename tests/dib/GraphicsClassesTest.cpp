// The class library's bitmap and picture that the bitmap library stands on: BMP files
// written and read back by TBitmap, pictures chosen by extension, and handles refused.
#include <gtest/gtest.h>

#include <memory>

#include "tests/dib/BmpTestFile.h"
#include "dib/DIB.h"
#include "forms/graphics/Bitmap.h"
#include "forms/graphics/Picture.h"

namespace {

struct Freer {
  void operator()(TObject* o) const { o->Free(); }
};

TEST(TBitmap, WritesABmpFileAndReadsItBack) {
  std::unique_ptr<TBitmap, Freer> b(New<TBitmap>());
  b->SetPixelFormat(pf24bit);
  b->SetSize(5, 3);
  b->Canvas()->SetPixels(4, 0, clBlue);
  GdiFlush();
  TMemoryStream s;
  b->SaveToStream(s);
  const auto* p = static_cast<const uint8_t*>(s.Memory());
  DecodedBmp d;
  ASSERT_TRUE(DecodeBmpFile(std::vector<uint8_t>(p, p + s.Size()), d).ok());
  EXPECT_EQ(d.info.layout.bitCount, 24);
  EXPECT_EQ(d.info.layout.width, 5);
  // top row, pixel 4: blue first
  EXPECT_EQ(d.pixels[2 * d.info.layout.rowWidth + 12], 0xFF);
  s.SetPosition(0);
  std::unique_ptr<TBitmap, Freer> back(New<TBitmap>());
  back->LoadFromStream(s);
  EXPECT_EQ(back->Width(), 5);
  EXPECT_EQ(back->Height(), 3);
  EXPECT_EQ(back->Canvas()->Pixels(4, 0) & 0xFFFFFF, static_cast<COLORREF>(clBlue));
}

TEST(TBitmap, RefusesHandlesThatAreNoBitmaps) {
  std::unique_ptr<TBitmap, Freer> b(New<TBitmap>());
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_THROW(b->SetHandle(reinterpret_cast<HBITMAP>(brush)), EInvalidGraphic);
  EXPECT_TRUE(b->Empty());
  DeleteObject(brush);
}

TEST(TPicture, ChoosesTheGraphicByExtension) {
  TPicture picture;
  EXPECT_THROW(picture.LoadFromFile("picture.xyz"), EInvalidGraphic);
  std::unique_ptr<TBitmap, Freer> b(New<TBitmap>());
  b->SetPixelFormat(pf24bit);
  b->SetSize(7, 2);
  b->SaveToFile("graphics_test.bmp");
  picture.LoadFromFile("graphics_test.bmp");
  EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 7);
  // The same file as a TDIB, through the picture's copy of a graphic.
  std::unique_ptr<TDIB, Freer> dib(New<TDIB>());
  dib->LoadFromFile("graphics_test.bmp");
  picture.SetGraphic(dib.get());
  EXPECT_NE(dynamic_cast<TDIB*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Height(), 2);
  DeleteFileA("graphics_test.bmp");
}

}  // namespace
