// TDIB: sharing and copy on write, scan lines, sizing, bit-count conversion, palettes,
// compression, streams, form-file properties, assignment and drawing, under wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "tests/dib/BmpTestFile.h"
#include "dib/DIB.h"
#include "dib/DIBErrors.h"
#include "dib/DXDIB.h"
#include "forms/graphics/Bitmap.h"
#include "forms/graphics/Picture.h"

namespace {

struct Freer {
  void operator()(TObject* o) const { o->Free(); }
};
using DIBPtr = std::unique_ptr<TDIB, Freer>;

DIBPtr MakeDIB(int w = 0, int h = 0, int bits = 8) {
  DIBPtr d(New<TDIB>());
  if (w > 0) d->SetSize(w, h, bits);
  return d;
}

std::vector<uint8_t> Saved(TDIB& d) {
  TMemoryStream s;
  d.SaveToStream(s);
  const auto* p = static_cast<const uint8_t*>(s.Memory());
  return std::vector<uint8_t>(p, p + s.Size());
}

void Load(TDIB& d, const std::vector<uint8_t>& bytes) {
  TMemoryStream s;
  if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<long long>(bytes.size()));
  s.SetPosition(0);
  d.LoadFromStream(s);
}

TEST(TDIB, AssignSharesAndAScanLineWriteCopies) {
  DIBPtr a = MakeDIB(4, 3, 8), b = MakeDIB();
  a->ScanLine(1)[2] = 9;
  b->Assign(a.get());
  EXPECT_EQ(a->Image(), b->Image());
  EXPECT_EQ(a->Image()->RefCount(), 2);
  b->ScanLine(1)[2] = 7;
  EXPECT_NE(a->Image(), b->Image());
  EXPECT_EQ(a->ScanLine(1)[2], 9);
  EXPECT_EQ(b->ScanLine(1)[2], 7);
}

TEST(TDIB, DrawingOnTheCanvasOfASharedImageCopiesIt) {
  DIBPtr a = MakeDIB(4, 4, 24), b = MakeDIB();
  b->Assign(a.get());
  b->Canvas()->Brush()->SetColor(clRed);
  b->Canvas()->FillRect(Rect(0, 0, 4, 4));
  GdiFlush();
  EXPECT_EQ(a->ScanLine(0)[2], 0);
  EXPECT_EQ(b->ScanLine(0)[2], 0xFF);
}

TEST(TDIB, ScanLineZeroIsTheTopRowLastInMemory) {
  DIBPtr d = MakeDIB(5, 3, 24);
  EXPECT_EQ(d->ScanLine(0), d->PBits() + 2 * d->WidthBytes());
  EXPECT_EQ(d->ScanLine(2), d->PBits());
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { d->ScanLine(3); }), Format(SScanline, 3));
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { d->ScanLine(-1); }), Format(SScanline, -1));
}

TEST(TDIB, SetSize) {
  DIBPtr d = MakeDIB(6, 4, 8);
  d->ScanLine(0)[0] = 42;
  uint8_t* bits = d->PBits();
  d->SetSize(6, 4, 8);
  EXPECT_EQ(d->PBits(), bits);
  EXPECT_EQ(d->ScanLine(0)[0], 42);
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { d->SetSize(6, 4, 12); }),
            Format(SInvalidDIBBitCount, 12));
  EXPECT_EQ(d->BitCount(), 8);
  d->SetSize(0, 10, 8);
  EXPECT_TRUE(d->Empty());
  EXPECT_EQ(d->Image(), EmptyDIBImage());
  d->SetSize(17, 1, 15);
  EXPECT_EQ(d->WidthBytes(), 36);  // 15-bit pixels are two bytes wide
}

// The cap on pixel memory guards against hostile files only: an image the program sizes
// itself is limited by memory alone, and one beyond what an image can address is out of
// memory, leaving the old image.
TEST(TDIB, TheProgramMakesImagesBeyondTheCapOfFiles) {
  DIBPtr d = MakeDIB(3, 3, 8);
  d->SetSize(10000, 10000, 24);
  ASSERT_EQ(d->Width(), 10000);
  ASSERT_EQ(d->Height(), 10000);
  EXPECT_EQ(d->Size(), 30000 * 10000);
  d->ScanLine(0)[0] = 0x11;
  d->ScanLine(9999)[29999] = 0x22;
  EXPECT_EQ(d->ScanLine(0)[0], 0x11);
  EXPECT_EQ(d->ScanLine(9999)[29999], 0x22);
  d->SetSize(3, 3, 8);
  TDIBSharedImage* before = d->Image();
  EXPECT_EQ(MessageOf<EOutOfMemory>([&] { d->SetSize(100000, 100000, 32); }), "Out of memory");
  EXPECT_EQ(d->Image(), before);
  // The same size from a file is refused before anything is allocated.
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { Load(*d, Bytes().file(54).info(10000, 10000, 24).v); }),
            SInvalidDIB);
  EXPECT_EQ(d->Image(), before);
}

TEST(TDIB, MemoryImagesStartZeroed) {
  DIBPtr d = MakeDIB();
  std::vector<uint8_t> bmp = Bytes().file(54).info(7, 5, 24).fill(7 * 3 * 5 + 5 * 3, 0).v;
  Load(*d, bmp);
  d->SetSize(64, 64, 24);
  ASSERT_TRUE(d->Image()->MemoryImage);
  const uint8_t* p = d->Image()->PBits;
  EXPECT_TRUE(std::all_of(p, p + d->Size(), [](uint8_t v) { return v == 0; }));
}

TEST(TDIB, SetBitCountTo8FromDirectColourUsesTheColourCube) {
  DIBPtr d = MakeDIB(2, 1, 24);
  uint8_t* row = d->ScanLine(0);
  row[0] = 0, row[1] = 0, row[2] = 0xFF;        // red
  row[3] = 0xFF, row[4] = 0xFF, row[5] = 0xFF;  // white
  d->SetBitCount(8);
  ASSERT_EQ(d->BitCount(), 8);
  EXPECT_EQ(d->ColorTable[255].rgbRed, 255);
  EXPECT_EQ(d->ColorTable[255].rgbBlue, 255);
  EXPECT_EQ(d->ColorTable[0].rgbRed + d->ColorTable[0].rgbGreen + d->ColorTable[0].rgbBlue, 0);
  EXPECT_EQ(d->ScanLine(0)[0], 0xE0);
  EXPECT_EQ(d->ScanLine(0)[1], 0xFF);
}

TEST(TDIB, SetBitCountWiderKeepsIndicesAndColours) {
  DIBPtr d = MakeDIB(3, 2, 4);
  for (int i = 0; i < 16; ++i) d->ColorTable[i] = RGBQUAD{BYTE(i * 16), BYTE(i), 0, 0};
  d->UpdatePalette();
  d->ScanLine(1)[0] = 0xAB;
  d->ScanLine(1)[1] = 0xC0;
  d->SetBitCount(8);
  ASSERT_EQ(d->BitCount(), 8);
  EXPECT_EQ(d->ScanLine(1)[0], 0xA);
  EXPECT_EQ(d->ScanLine(1)[1], 0xB);
  EXPECT_EQ(d->ScanLine(1)[2], 0xC);
  EXPECT_EQ(d->ColorTable[15].rgbBlue, 15 * 16);
}

TEST(TDIB, SetBitCountTo1GivesBlackAndWhite) {
  DIBPtr d = MakeDIB(8, 1, 8);
  d->ColorTable[1] = RGBQUAD{250, 250, 250, 0};
  d->UpdatePalette();
  d->ScanLine(0)[3] = 1;
  d->SetBitCount(1);
  EXPECT_EQ(d->ColorTable[0].rgbRed, 0);
  EXPECT_EQ(d->ColorTable[1].rgbRed, 255);
  EXPECT_EQ(d->ScanLine(0)[0], 0x10);
}

// 15-bit pixels are converted too, and channels keep their full range.
TEST(TDIB, SetBitCountBetweenDirectColourDepths) {
  for (int bits : {15, 16, 32}) {
    DIBPtr d = MakeDIB(2, 1, 24);
    uint8_t* row = d->ScanLine(0);
    row[0] = 0xFF, row[1] = 0x00, row[2] = 0xFF;  // magenta
    d->SetBitCount(bits);
    ASSERT_EQ(d->BitCount(), bits);
    d->SetBitCount(24);
    row = d->ScanLine(0);
    EXPECT_EQ(row[0], 0xFF) << bits;
    EXPECT_EQ(row[1], 0x00) << bits;
    EXPECT_EQ(row[2], 0xFF) << bits;
    EXPECT_EQ(row[3] + row[4] + row[5], 0) << bits;
  }
}

TEST(TDIB, UpdatePaletteWithUnchangedColoursKeepsTheShare) {
  DIBPtr a = MakeDIB(2, 2, 8), b = MakeDIB();
  b->Assign(a.get());
  b->UpdatePalette();
  EXPECT_EQ(a->Image(), b->Image());
  b->ColorTable[3].rgbRed = 200;
  b->UpdatePalette();
  EXPECT_NE(a->Image(), b->Image());
  EXPECT_EQ(b->Image()->ColorTable[3].rgbRed, 200);
  EXPECT_EQ(a->Image()->ColorTable[3].rgbRed, 3);
}

TEST(TDIB, CompressWritesRle8AndReadsBack) {
  DIBPtr d = MakeDIB(9, 3, 8);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 9; ++x) d->ScanLine(y)[x] = static_cast<uint8_t>(x < 5 ? 7 : x + y);
  DIBPtr rgb = MakeDIB(4, 4, 24);
  rgb->Compress();
  EXPECT_FALSE(rgb->Image()->Compressed);
  d->Compress();
  ASSERT_TRUE(d->Image()->Compressed);
  const std::vector<uint8_t> file = Saved(*d);
  DecodedBmp decoded;
  ASSERT_TRUE(DecodeBmpFile(file, decoded).ok());
  EXPECT_EQ(decoded.info.header.compression, bmp::kRle8);
  EXPECT_EQ(decoded.data.size(), static_cast<size_t>(d->Size()));
  DIBPtr back = MakeDIB();
  Load(*back, file);
  ASSERT_TRUE(back->Image()->Compressed);
  EXPECT_EQ(back->ScanLine(2)[8], 8 + 2);
  EXPECT_EQ(back->ScanLine(0)[4], 7);
  EXPECT_FALSE(back->Image()->Compressed);
}

TEST(TDIB, Compress4BitAndDrawIt) {
  DIBPtr d = MakeDIB(5, 2, 4);
  d->ColorTable[3] = RGBQUAD{0, 0, 255, 0};
  d->UpdatePalette();
  d->ScanLine(0)[0] = 0x33;
  d->Compress();
  ASSERT_TRUE(d->Image()->Compressed);
  DIBPtr target = MakeDIB(5, 2, 24);
  target->Canvas()->Draw(0, 0, d.get());
  GdiFlush();
  EXPECT_EQ(target->ScanLine(0)[2], 255);  // red of pixel 0
  EXPECT_EQ(target->ScanLine(0)[5], 255);  // red of pixel 1
  EXPECT_EQ(target->ScanLine(0)[8], 0);
}

TEST(TDIB, EmptyStreamsChangeNothingAndEmptyGraphicsWriteNothing) {
  DIBPtr d = MakeDIB(3, 3, 8);
  TDIBSharedImage* before = d->Image();
  Load(*d, {});
  EXPECT_EQ(d->Image(), before);
  DIBPtr e = MakeDIB();
  EXPECT_TRUE(Saved(*e).empty());
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { Load(*d, {'B', 'M', 0, 0}); }), SInvalidDIB);
  EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { Load(*d, Bytes().file(54).u32(108).fill(104, 0).v); }),
            SInvalidDIB);
  EXPECT_EQ(MessageOf<EReadError>([&] { Load(*d, Bytes().file(54).info(4, 4, 24).fill(10, 0).v); }),
            SReadError);
  EXPECT_EQ(MessageOf<EInvalidGraphicOperation>(
                [&] { Load(*d, Bytes().file(66).info(1, 1, 16, 3).u32(0xF00).u32(0xF0).u32(0xF).u32(0).v); }),
            SInvalidDIBPixelFormat);
  EXPECT_EQ(d->Image(), before);
}

TEST(TDIB, FilesAreWrittenBackInTheLibrarysForm) {
  DIBPtr d = MakeDIB();
  // 16-bit BI_RGB: 5-5-5, written back as 16 bits per pixel BI_RGB.
  Load(*d, Bytes().file(54).info(1, 1, 16).u32(0x7C00).v);
  EXPECT_EQ(d->BitCount(), 15);
  std::vector<uint8_t> out = Saved(*d);
  EXPECT_EQ(out[28], 16);
  EXPECT_EQ(out[30], bmp::kRgb);
  // Top-down rows: written bottom-up with a positive height.
  Load(*d, Bytes().file(54).info(1, -2, 24).raw({1, 2, 3, 0}).raw({4, 5, 6, 0}).v);
  out = Saved(*d);
  EXPECT_EQ(out[22], 2);
  EXPECT_EQ(out[25], 0);
  EXPECT_EQ(out[54], 4);
  EXPECT_EQ(d->ScanLine(0)[0], 1);
  // Colours used 16 at 8 bits: all 256 written, the rest black.
  Load(*d, Bytes().file(54 + 64).info(1, 1, 8, 0, 0, 16).fill(64, 0x40).raw({0, 0, 0, 0}).v);
  out = Saved(*d);
  EXPECT_EQ(out.size(), 14u + 40 + 1024 + 4);
  EXPECT_EQ(out[14 + 40 + 4 * 15], 0x40);
  EXPECT_EQ(out[14 + 40 + 4 * 16], 0);
  // A gap before the pixel data: the data offset is honoured.
  Load(*d, Bytes().file(54 + 4).info(1, 1, 24).fill(4, 0xEE).raw({9, 8, 7, 0}).v);
  EXPECT_EQ(d->ScanLine(0)[0], 9);
}

TEST(TDIB, FormFilePropertiesAndTheirRoundTrip) {
  DIBPtr d = MakeDIB(3, 2, 8);
  d->ScanLine(1)[2] = 77;
  d->Compress();
  TMemoryStream data;
  d->WriteProperty("Data", data);
  EXPECT_EQ(data.Size(), d->BitmapInfoSize() + d->Size());
  data.SetPosition(0);
  DIBPtr back = MakeDIB();
  back->ReadProperty("Data", data);
  EXPECT_TRUE(back->Image()->Compressed);
  EXPECT_EQ(back->ScanLine(1)[2], 77);
  TMemoryStream file;
  d->SaveToStream(file);
  file.SetPosition(0);
  DIBPtr fromFile = MakeDIB();
  fromFile->ReadProperty("DIB", file);
  EXPECT_EQ(fromFile->ScanLine(1)[2], 77);
  EXPECT_THROW(d->WriteProperty("DIB", data), EWriteError);
}

TEST(TDIB, SetPaletteTakesTheColoursAndDeletesItsOwnHandleOnly) {
  DIBPtr d = MakeDIB(2, 2, 8);
  std::vector<unsigned char> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
  log->palVersion = 0x300;
  log->palNumEntries = 256;
  log->palPalEntry[4] = PALETTEENTRY{10, 20, 30, 0};
  HPALETTE given = CreatePalette(log);
  d->SetPalette(given);
  EXPECT_EQ(d->ColorTable[4].rgbRed, 10);
  EXPECT_EQ(d->Image()->ColorTable[4].rgbBlue, 30);
  EXPECT_NE(GetObjectType(given), static_cast<DWORD>(OBJ_PAL));
  // The palette of another image belongs to the cache: it stays.
  DIBPtr other = MakeDIB(2, 2, 8);
  HPALETTE cached = other->Palette();
  d->SetPalette(cached);
  EXPECT_EQ(GetObjectType(cached), static_cast<DWORD>(OBJ_PAL));
  EXPECT_EQ(d->ColorTable[4].rgbRed, 4);
}

TEST(TDIB, AssignFromBitmapsAndPictures) {
  TBitmap* bitmap = New<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(3, 2);
  bitmap->Canvas()->SetPixels(1, 0, clLime);
  GdiFlush();
  DIBPtr d = MakeDIB();
  d->Assign(bitmap);
  EXPECT_EQ(d->BitCount(), 24);
  EXPECT_EQ(d->Width(), 3);
  EXPECT_EQ(d->ScanLine(0)[4], 0xFF);
  EXPECT_EQ(d->ScanLine(0)[3], 0);
  TBitmap* device = New<TBitmap>();
  device->SetSize(5, 4);
  d->Assign(device);
  EXPECT_EQ(d->Width(), 5);
  TBitmap* empty = New<TBitmap>();
  d->Assign(empty);
  EXPECT_TRUE(d->Empty());
  bitmap->Free();
  device->Free();
  empty->Free();

  DIBPtr source = MakeDIB(2, 2, 8);
  TPicture picture;
  picture.SetGraphic(source.get());
  ASSERT_NE(dynamic_cast<TDIB*>(picture.Graphic()), nullptr);
  EXPECT_EQ(static_cast<TDIB*>(picture.Graphic())->Image(), source->Image());
  d->Assign(&picture);
  EXPECT_EQ(d->Image(), source->Image());
  picture.SetGraphic(nullptr);
  d->Assign(&picture);
  EXPECT_TRUE(d->Empty());
}

TEST(TDIB, IsRegisteredWithTPicture) {
  EXPECT_EQ(TPicture::FileFormatDescription("dib"), "Device Independent Bitmap");
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_DIB));
  DIBPtr d = MakeDIB(4, 2, 8);
  const std::string file = "dib_test_picture.dib";
  d->SaveToFile(file);
  TPicture picture;
  picture.LoadFromFile(file);
  ASSERT_NE(dynamic_cast<TDIB*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 4);
  DeleteFileA(file.c_str());
}

TEST(TDIB, DrawsStretchedWithItsPalette) {
  DIBPtr d = MakeDIB(2, 1, 8);
  d->ColorTable[1] = RGBQUAD{0, 255, 0, 0};
  d->UpdatePalette();
  d->ScanLine(0)[1] = 1;
  DIBPtr target = MakeDIB(4, 2, 24);
  target->Canvas()->StretchDraw(Rect(0, 0, 4, 2), d.get());
  GdiFlush();
  const uint8_t* row = target->ScanLine(1);
  EXPECT_EQ(row[1], 0);        // column 0: black
  EXPECT_EQ(row[3 * 3 + 1], 255);  // column 3: green
}

}  // namespace

namespace {

TEST(TDXDIB, OwnsItsDIBAndSharesAssignedImages) {
  TComponent owner(nullptr);
  auto* component = new TDXDIB(&owner);
  DIBPtr source = MakeDIB(3, 3, 8);
  component->SetDIB(source.get());
  EXPECT_EQ(component->DIB()->Image(), source->Image());
  component->DIB()->ScanLine(0)[0] = 5;
  EXPECT_EQ(source->ScanLine(0)[0], 0);
}

}  // namespace
