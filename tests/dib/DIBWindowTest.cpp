// TDIB on the desktop: CF_DIB through the real clipboard, and a picture painted into a
// paint box on a real form, its pixels read back from the screen.
#include <gtest/gtest.h>

#include <memory>

#include "tests/dib/BmpTestFile.h"
#include "dib/DIB.h"
#include "dib/DIBErrors.h"
#include "dib/DXPaintBox.h"
#include "tests/support/GuiTest.h"
#include "forms/graphics/Clipboard.h"
#include "forms/windows/Forms.h"
#include "forms/graphics/Picture.h"

namespace {

struct Freer {
  void operator()(TObject* o) const { o->Free(); }
};
using DIBPtr = std::unique_ptr<TDIB, Freer>;

// Left half red, right half blue, 8 bits with a palette.
DIBPtr TwoColourPicture(int w, int h) {
  DIBPtr d(New<TDIB>());
  d->SetSize(w, h, 8);
  d->ColorTable[1] = RGBQUAD{0, 0, 255, 0};
  d->ColorTable[2] = RGBQUAD{255, 0, 0, 0};
  d->UpdatePalette();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) d->ScanLine(y)[x] = static_cast<uint8_t>(x < w / 2 ? 1 : 2);
  return d;
}

TEST(DIBClipboard, CfDibRoundTrip) {
  DIBPtr d = TwoColourPicture(6, 3);
  Clipboard()->Assign(d.get());
  ASSERT_TRUE(Clipboard()->HasFormat(CF_DIB));
  TPicture picture;
  picture.Assign(Clipboard());
  auto* back = dynamic_cast<TDIB*>(picture.Graphic());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 6);
  EXPECT_EQ(back->BitCount(), 8);
  EXPECT_EQ(back->ScanLine(2)[5], 2);
  EXPECT_EQ(back->ColorTable[1].rgbRed, 255);
  DIBPtr direct(New<TDIB>());
  direct->Assign(Clipboard());
  EXPECT_EQ(direct->ScanLine(0)[0], 1);
}

// Clipboard data is untrusted: a header claiming more than the block holds is refused.
TEST(DIBClipboard, MalformedDataIsRefusedAndChangesNothing) {
  const std::vector<uint8_t> bad = Bytes().info(1000, 1000, 24).fill(16, 0).v;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bad.size());
  ASSERT_NE(block, nullptr);
  memcpy(GlobalLock(block), bad.data(), bad.size());
  GlobalUnlock(block);
  Clipboard()->SetAsHandle(CF_DIB, block);
  Clipboard()->Close();
  DIBPtr d = TwoColourPicture(2, 2);
  TDIBSharedImage* before = d->Image();
  EXPECT_THROW(d->Assign(Clipboard()), EReadError);
  EXPECT_EQ(d->Image(), before);
}

class TPaintBoxForm : public TForm {
public:
  TDXPaintBox* Dxp1;
  explicit TPaintBoxForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 320, 233);
    SetFormStyle(fsStayOnTop);
    SetColor(clWhite);
    Dxp1 = new TDXPaintBox(this);
    Dxp1->SetParent(this);
    Dxp1->SetAlign(alClient);
    Dxp1->SetCenter(true);
    Dxp1->SetStretch(true);
    Dxp1->SetKeepAspect(true);
    loader.Finish();
  }
};

TEST(TDXPaintBox, StartsAsTheFormDescriptionExpects) {
  TComponent owner(nullptr);
  auto* box = new TDXPaintBox(&owner);
  EXPECT_EQ(box->Width(), 105);
  EXPECT_EQ(box->Height(), 105);
  EXPECT_TRUE(box->ControlStyle().Contains(csReplicatable));
  box->SetViewWidth(-5);
  EXPECT_EQ(box->ViewWidth(), 0);
  box->SetViewHeight(30);
  EXPECT_EQ(box->ViewHeight(), 30);
  DIBPtr d = TwoColourPicture(4, 4);
  box->SetDIB(d.get());
  EXPECT_EQ(box->DIB()->Image(), d->Image());
  TDIBSharedImage* shared = box->DIB()->Image();
  box->SetDIB(box->DIB());
  EXPECT_EQ(box->DIB()->Image(), shared);
  EXPECT_EQ(box->GetPalette(), d->Palette());
}

// The 320 x 240 picture in a 320 x 233 box with Center, Stretch and KeepAspect: 311 x 233
// at x = 4, read back from the screen.
TEST(TDXPaintBox, PaintsItsPictureIntoTheWindow) {
  TPaintBoxForm* form = New<TPaintBoxForm>(nullptr);
  DIBPtr d = TwoColourPicture(320, 240);
  form->Dxp1->SetDIB(d.get());
  form->Show();
  const TPaintBoxPlacement p = form->Dxp1->Placement();
  EXPECT_EQ(p.Left, 4);
  EXPECT_EQ(p.Top, 0);
  EXPECT_EQ(p.Width, 311);
  EXPECT_EQ(p.Height, 233);
  const POINT origin = form->Dxp1->ClientToScreen(POINT{0, 0});
  HDC screen = GetDC(nullptr);
  auto at = [&](int x, int y) { return GetPixel(screen, origin.x + x, origin.y + y) & 0xFFFFFF; };
  const bool shown = PumpUntil([&] { return at(10, 100) == 0x0000FFu && at(300, 100) == 0xFF0000u; });
  EXPECT_TRUE(shown);
  EXPECT_EQ(at(4, 100), 0x0000FFu);    // the picture's left edge
  EXPECT_EQ(at(2, 100), 0xFFFFFFu);    // the form's background beside it
  EXPECT_EQ(at(314, 100), 0xFF0000u);  // its right edge, 4 + 311 - 1
  EXPECT_EQ(at(317, 100), 0xFFFFFFu);
  ReleaseDC(nullptr, screen);
  form->Free();
}

}  // namespace
