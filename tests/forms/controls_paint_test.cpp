// What the standard controls put on the screen: panels with their bevels and aligned
// children, double-buffered panels painting their paint boxes, labels sizing to their
// text, shapes, speed buttons; read back from the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/forms/ControlsTestForm.h"
#include "tests/support/UserInput.h"
#include "forms/core/SysUtils.h"

namespace {

// The colour on the screen at a point of a control.
class TScreenReader {
public:
  TScreenReader() : dc_(GetDC(nullptr)) {}
  ~TScreenReader() { ReleaseDC(nullptr, dc_); }
  COLORREF At(TControl* control, int x, int y) {
    POINT p = control->ClientToScreen(POINT{x, y});
    return GetPixel(dc_, p.x, p.y) & 0xFFFFFF;
  }

private:
  HDC dc_;
};

class TPainter : public TObject {
public:
  TColor colour = clRed;
  int paints = 0;
  TColor brushAtPaint = 0;
  void Paint(TObject* sender) {
    auto* box = static_cast<TPaintBox*>(sender);
    ++paints;
    brushAtPaint = box->Canvas()->Brush()->Color();
    box->Canvas()->Brush()->SetColor(colour);
    box->Canvas()->FillRect(RECT{0, 0, box->Width(), box->Height()});
  }
};

// The palette editor's nesting: a lowered panel holding a client-aligned panel holding
// a fixed panel whose paint box fills it.
class TNestedForm : public TForm {
public:
  TPanel* outer;
  TPanel* main;
  TPanel* grid;
  TPaintBox* box;
  TPainter painter;

  explicit TNestedForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientWidth(328);
    SetClientHeight(355);
    outer = new TPanel(this);
    outer->SetParent(this);
    outer->SetAlign(alClient);
    outer->SetBevelOuter(bvLowered);
    main = new TPanel(this);
    main->SetParent(outer);
    main->SetAlign(alClient);
    main->SetBevelOuter(bvNone);
    grid = new TPanel(this);
    grid->SetParent(main);
    grid->SetBounds(3, 3, 320, 320);
    grid->SetBevelOuter(bvNone);
    grid->SetDoubleBuffered(true);
    box = new TPaintBox(this);
    box->SetParent(grid);
    box->SetAlign(alClient);
    box->OnPaint = MakeEvent(&painter, &TPainter::Paint);
    loader.Finish();
  }
};

TEST(Panel, AlignedChildrenFillWhatTheBevelLeaves) {
  auto* form = New<TNestedForm>(nullptr);
  form->Show();
  EXPECT_EQ(form->outer->Width(), 328);
  EXPECT_EQ(form->main->Left(), 1);
  EXPECT_EQ(form->main->Top(), 1);
  EXPECT_EQ(form->main->Width(), 326);
  EXPECT_EQ(form->main->Height(), 353);
  EXPECT_EQ(form->box->Width(), 320);
  EXPECT_EQ(form->box->Height(), 320);
  form->outer->SetBevelInner(bvRaised);
  form->outer->SetBorderWidth(2);
  EXPECT_EQ(form->main->Left(), 4);
  EXPECT_EQ(form->main->Width(), 320);
  form->Free();
}

TEST(Panel, DoubleBufferedPanelShowsItsPaintBox) {
  auto* form = New<TNestedForm>(nullptr);
  form->Show();
  TScreenReader screen;
  ASSERT_TRUE(PumpUntil([&] { return screen.At(form->box, 160, 160) == 0x0000FFu; }));
  EXPECT_EQ(screen.At(form->box, 0, 0), 0x0000FFu);
  EXPECT_EQ(screen.At(form->box, 319, 319), 0x0000FFu);
  // The canvas starts each paint with a brush of the parent's colour.
  EXPECT_EQ(form->painter.brushAtPaint, form->grid->Color());
  form->painter.colour = clLime;
  form->box->Invalidate();
  ASSERT_TRUE(PumpUntil([&] { return screen.At(form->box, 160, 160) == 0x00FF00u; }));
  // Without the buffer the same picture arrives.
  form->grid->SetDoubleBuffered(false);
  form->painter.colour = clBlue;
  form->box->Invalidate();
  ASSERT_TRUE(PumpUntil([&] { return screen.At(form->box, 160, 160) == 0xFF0000u; }));
  form->Free();
}

// Swatches, labels and a shape on a plain form, as the gradient dialog has them.
class TSwatchForm : public TForm {
public:
  TPanel* swatch;
  TLabel* title;
  TLabel* plain;
  TShape* shape;

  explicit TSwatchForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientWidth(346);
    SetClientHeight(209);
    Font()->SetName("Tahoma");
    swatch = new TPanel(this);
    swatch->SetParent(this);
    swatch->SetBounds(20, 40, 57, 41);
    swatch->SetBevelOuter(bvLowered);
    swatch->SetColor(clBlack);
    title = new TLabel(this);
    title->SetParent(this);
    title->SetBounds(10, 10, 80, 13);
    title->SetAutoSize(false);
    title->SetAlignment(taCenter);
    title->SetCaption("Start Colour");
    plain = new TLabel(this);
    plain->SetParent(this);
    plain->SetBounds(100, 10, 10, 10);
    plain->SetCaption("From:");
    shape = new TShape(this);
    shape->SetParent(this);
    shape->SetBounds(150, 40, 30, 20);
    shape->SetShape(stSquare);
    shape->Brush()->SetColor(clRed);
    loader.Finish();
  }
};

TEST(Panel, BevelAndColourOnTheScreen) {
  auto* form = New<TSwatchForm>(nullptr);
  form->Show();
  TScreenReader screen;
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF, light = GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
  ASSERT_TRUE(PumpUntil([&] { return screen.At(form->swatch, 0, 0) == shadow; }));  // lowered: the shadow above and left
  EXPECT_EQ(screen.At(form->swatch, 0, 39), shadow);
  EXPECT_EQ(screen.At(form->swatch, 0, 40), light);  // the corner belongs to the bottom line
  EXPECT_EQ(screen.At(form->swatch, 56, 40), light);
  EXPECT_EQ(screen.At(form->swatch, 56, 1), light);
  EXPECT_EQ(screen.At(form->swatch, 1, 1), 0u);
  form->swatch->SetColor(clYellow);
  EXPECT_TRUE(PumpUntil([&] { return screen.At(form->swatch, 28, 20) == 0x00FFFFu; }));
  form->Free();
}

TEST(Label, AutoSizeFollowsTheTextAndTheFont) {
  auto* form = New<TSwatchForm>(nullptr);
  TLabel* label = form->plain;
  EXPECT_EQ(label->Font()->Name(), "Tahoma");
  EXPECT_GT(label->Width(), 10);
  EXPECT_GT(label->Height(), 8);
  EXPECT_EQ(label->Left(), 100);
  int width = label->Width(), height = label->Height();
  label->SetCaption("From: and more");
  EXPECT_GT(label->Width(), width);
  label->Font()->SetHeight(-30);
  EXPECT_GT(label->Height(), height);
  EXPECT_FALSE(label->ParentFont());
  // Centred text keeps its centre; right-aligned text its right edge.
  label->SetAlignment(taCenter);
  int centre = label->Left() + label->Width() / 2;
  label->SetCaption("x");
  EXPECT_NEAR(label->Left() + label->Width() / 2, centre, 1);
  label->SetAlignment(taRightJustify);
  int right = label->Left() + label->Width();
  label->SetCaption("a longer text");
  EXPECT_EQ(label->Left() + label->Width(), right);
  // Without AutoSize the bounds stay.
  EXPECT_EQ(form->title->Width(), 80);
  form->title->SetCaption("End Colour");
  EXPECT_EQ(form->title->Width(), 80);
  form->Free();
}

TEST(Label, DrawsItsTextCentredOnTheParentsColour) {
  auto* form = New<TSwatchForm>(nullptr);
  form->SetColor(clWhite);
  form->title->Font()->SetColor(clBlack);
  form->Show();
  TScreenReader screen;
  TLabel* title = form->title;
  // Dark pixels only in the middle of the label: the text, centred.
  auto darkColumns = [&](int from, int to) {
    int n = 0;
    for (int x = from; x < to; ++x)
      for (int y = 0; y < title->Height(); ++y)
        if (screen.At(title, x, y) == 0u) {
          ++n;
          break;
        }
    return n;
  };
  ASSERT_TRUE(PumpUntil([&] { return darkColumns(0, title->Width()) > 10; }));
  EXPECT_EQ(screen.At(title, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(darkColumns(0, 2), 0);
  EXPECT_EQ(darkColumns(title->Width() - 2, title->Width()), 0);
  form->title->SetVisible(false);
  EXPECT_TRUE(PumpUntil([&] { return darkColumns(0, title->Width()) == 0; }));
  form->Free();
}

TEST(Shape, SquareInsideItsBoundsWithItsBrush) {
  auto* form = New<TSwatchForm>(nullptr);
  form->SetColor(clWhite);
  form->Show();
  TScreenReader screen;
  TShape* shape = form->shape;
  ASSERT_TRUE(PumpUntil([&] { return screen.At(shape, 15, 10) == 0x0000FFu; }));
  // A 20 x 20 square centred in 30 x 20: columns 5 to 24, the pen black around it.
  EXPECT_EQ(screen.At(shape, 5, 10), 0u);
  EXPECT_EQ(screen.At(shape, 24, 10), 0u);
  EXPECT_EQ(screen.At(shape, 6, 10), 0x0000FFu);
  EXPECT_EQ(screen.At(shape, 2, 10), 0xFFFFFFu);
  EXPECT_EQ(screen.At(shape, 27, 10), 0xFFFFFFu);
  shape->Brush()->SetColor(clLime);
  EXPECT_TRUE(PumpUntil([&] { return screen.At(shape, 15, 10) == 0x00FF00u; }));
  form->Free();
}

TEST(SpeedButton, DownButtonIsDrawnPushed) {
  auto* form = New<TControlsForm>(nullptr);
  form->Show();
  TScreenReader screen;
  TSpeedButton* b = form->toggle;
  // Up, the top-left edge is light; pushed, it is dark.
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
  ASSERT_TRUE(PumpUntil([&] { return screen.At(b, 0, 0) == light; }));
  b->SetDown(true);
  EXPECT_TRUE(PumpUntil([&] { return screen.At(b, 0, 0) != light; }));
  b->SetDown(false);
  EXPECT_TRUE(PumpUntil([&] { return screen.At(b, 0, 0) == light; }));
  form->Free();
}

// A click handler that refuses (raises), and the application's handler that gets it.
class TRefusal : public TObject {
public:
  std::vector<std::string> shown;
  void Refuse(TObject*) { throw Exception(std::string("'abc' is not a valid integer value")); }
  void Show(TObject*, const Exception& e) { shown.push_back(e.Message()); }
};

TEST(SpeedButton, AClickWhoseHandlerRaisesLeavesTheButtonUp) {
  auto* form = New<TControlsForm>(nullptr);
  TRefusal refusal;
  form->plain->OnClick = MakeEvent(&refusal, &TRefusal::Refuse);
  const TExceptionEvent savedHandler = Application->OnException;
  Application->OnException = MakeEvent(&refusal, &TRefusal::Show);
  form->Show();
  TScreenReader screen;
  TSpeedButton* b = form->plain;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
  ASSERT_TRUE(PumpUntil([&] { return screen.At(b, 0, 0) == light; }));

  ClickOn(b);
  EXPECT_EQ(refusal.shown, std::vector<std::string>{"'abc' is not a valid integer value"});
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return screen.At(b, 0, 0) == light; })) << "drawn pressed";
  // The mouse resting on it afterwards, no button held, does not press it.
  POINT at{b->Width() / 2, b->Height() / 2};
  HWND panel = WindowAt(b, at);
  SendMessageA(panel, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  PumpFor(100);
  EXPECT_EQ(screen.At(b, 0, 0), light);
  // The next press shows the pushed look only while the button is held.
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  EXPECT_TRUE(PumpUntil([&] { return screen.At(b, 0, 0) != light; }));
  SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  EXPECT_TRUE(PumpUntil([&] { return screen.At(b, 0, 0) == light; }));
  EXPECT_EQ(refusal.shown.size(), 2u);
  Application->OnException = savedHandler;
  form->Free();
}

// What is drawn on a shown image's canvas reaches the screen with no other repaint.
TEST(Image, DrawingOnTheCanvasOfAShownImageShowsOnTheScreen) {
  auto* form = New<TSwatchForm>(nullptr);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(200, 100, 120, 90);
  image->Canvas()->Brush()->SetColor(clLime);
  image->Canvas()->FillRect(RECT{0, 0, 120, 90});
  form->Show();
  TScreenReader screen;
  ASSERT_TRUE(PumpUntil([&] { return screen.At(image, 60, 45) == 0x00FF00u; }));
  // A band and a line of text drawn later, as a picture is finished after it is shown.
  image->Canvas()->Brush()->SetColor(clRed);
  image->Canvas()->FillRect(RECT{0, 0, 120, 30});
  EXPECT_TRUE(PumpUntil([&] { return screen.At(image, 60, 15) == 0x0000FFu; })) << "stale picture";
  EXPECT_EQ(screen.At(image, 60, 60), 0x00FF00u);
  image->Canvas()->Brush()->SetColor(clBlack);
  image->Canvas()->Font()->SetColor(clWhite);
  image->Canvas()->TextOut(4, 50, " Zoom In");  // the leading blank is a black cell
  EXPECT_TRUE(PumpUntil([&] { return screen.At(image, 5, 52) == 0x000000u; }));
  form->Free();
}

}  // namespace
