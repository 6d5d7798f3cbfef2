// Every control of the editor's dialogs and its preview window driven as a user drives
// it: digits typed into the focused field, the up-down's arrow clicked, radio items,
// buttons and swatches clicked with the mouse, the title bar's close. One table per
// dialog; each row is the control, the input, and the effect that can be seen afterwards
// (on WorkPalette, or on what the dialog shows).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "paletteeditor/core/PaletteFiles.h"
#include "tests/paletteeditor/EditorTestSupport.h"
#include "tests/support/UserInput.h"

namespace {

using EditorDialogInput = EditorTest;

pal::PaletteColours Indexed() {
  pal::PaletteColours p;
  for (int i = 0; i < 256; ++i) p[i] = pal::MakeColour(std::uint8_t(i), std::uint8_t(i / 2), 7);
  return p;
}

pal::PaletteColours Other() {
  pal::PaletteColours p;
  for (int i = 0; i < 256; ++i) p[i] = pal::MakeColour(std::uint8_t(255 - i), 0, 99);
  return p;
}

struct InputRow {
  const char* Control;
  const char* Input;
  std::function<void()> Give;   // the user's input while the dialog is shown
  TControl* CloseWith;          // the button clicked after it
  std::function<void()> Effect; // checks what can be seen once the dialog is closed
};

// A click on the up arrow of a spin edit's up-down.
void ClickUpArrow(TSpinEdit* edit) {
  RECT r{};
  GetClientRect(edit->UpDownHandle(), &r);
  PostClickAt(edit->UpDownHandle(), r.right / 2, r.bottom / 4);
}

// A double click as the mouse gives it: down, up, the double-click message, up.
void PostDoubleClick(HWND control) {
  const LPARAM at = MAKELPARAM(5, 5);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
  PostMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// Runs each row on the dialog that `command` opens, from `prepare`'s starting state.
void RunTable(TForm* dialog, TMenuItem* command, const std::function<void()>& prepare,
              const std::vector<InputRow>& rows) {
  for (const InputRow& row : rows) {
    SCOPED_TRACE(std::string(row.Control) + ": " + row.Input);
    WorkPalette = Indexed();
    WithModal(
        dialog,
        [&] {
          prepare();
          row.Give();
        },
        row.CloseWith, [&] { Command(command); });
    row.Effect();
  }
}

TEST_F(EditorDialogInput, CopyColours) {
  TFrmCopyColours* d = FrmCopyColours;
  const auto prepare = [d] {
    d->StartColour->SetValue(0);
    d->EndColour->SetValue(15);
    d->StartColour2->SetValue(16);
  };
  const std::vector<InputRow> rows = {
      {"StartColour", "types 2", [d] { PostRetype(d->StartColour->Handle(), "2"); }, d->Button1,
       [d] {
         EXPECT_EQ(Indexed()[2], WorkPalette[16]);
         EXPECT_EQ(29, d->SpinEdit1->Value()) << "the shown end of the paste range";
       }},
      {"StartColour", "clicks the up arrow", [d] { ClickUpArrow(d->StartColour); }, d->Button1,
       [d] {
         EXPECT_EQ(Indexed()[1], WorkPalette[16]);
         EXPECT_EQ(30, d->SpinEdit1->Value());
       }},
      {"EndColour", "types 3", [d] { PostRetype(d->EndColour->Handle(), "3"); }, d->Button1,
       [d] {
         EXPECT_EQ(Indexed()[3], WorkPalette[19]);
         EXPECT_EQ(Indexed()[20], WorkPalette[20]);
         EXPECT_EQ(19, d->SpinEdit1->Value());
       }},
      {"StartColour2", "types 100", [d] { PostRetype(d->StartColour2->Handle(), "100"); },
       d->Button1,
       [d] {
         EXPECT_EQ(Indexed()[0], WorkPalette[100]);
         EXPECT_EQ(Indexed()[16], WorkPalette[16]);
         EXPECT_EQ(115, d->SpinEdit1->Value());
       }},
      {"StartColour2", "presses Up",
       [d] {
         PostClick(d->StartColour2->Handle());
         PostKey(d->StartColour2->Handle(), VK_UP);
       },
       d->Button1,
       [d] {
         EXPECT_EQ(Indexed()[0], WorkPalette[17]);
         EXPECT_EQ(32, d->SpinEdit1->Value());
       }},
      {"Button1 (OK)", "clicks", [] {}, d->Button1,
       [] { EXPECT_EQ(Indexed()[0], WorkPalette[16]); }},
      {"Button2 (Cancel)", "clicks", [d] { PostRetype(d->StartColour2->Handle(), "100"); },
       d->Button2, [] { ExpectSamePalette(Indexed(), WorkPalette); }},
  };
  RunTable(d, FrmMain->CopyColours1, prepare, rows);
}

TEST_F(EditorDialogInput, RotateRange) {
  TForm1* d = Form1;
  const auto prepare = [d] {
    d->SpinEdit1->SetValue(0);
    d->SpinEdit2->SetValue(3);
    d->SpinEdit3->SetValue(1);
    d->RadioGroup1->SetItemIndex(0);
  };
  const std::vector<InputRow> rows = {
      {"SpinEdit1 (From)", "types 1", [d] { PostRetype(d->SpinEdit1->Handle(), "1"); }, d->Button1,
       [] {
         EXPECT_EQ(Indexed()[0], WorkPalette[0]);
         EXPECT_EQ(Indexed()[2], WorkPalette[1]);
       }},
      {"SpinEdit2 (To)", "types 5", [d] { PostRetype(d->SpinEdit2->Handle(), "5"); }, d->Button1,
       [] { EXPECT_EQ(Indexed()[0], WorkPalette[5]); }},
      {"SpinEdit3 (Amount)", "types 2", [d] { PostRetype(d->SpinEdit3->Handle(), "2"); },
       d->Button1, [] { EXPECT_EQ(Indexed()[2], WorkPalette[0]); }},
      {"SpinEdit3 (Amount)", "clicks the up arrow", [d] { ClickUpArrow(d->SpinEdit3); },
       d->Button1, [] { EXPECT_EQ(Indexed()[2], WorkPalette[0]); }},
      {"RadioGroup1 \"Right\"", "clicks", [d] { PostClick(d->RadioGroup1->Buttons(1)->Handle()); },
       d->Button1,
       [d] {
         EXPECT_EQ(1, d->RadioGroup1->ItemIndex());
         EXPECT_EQ(Indexed()[3], WorkPalette[0]);
       }},
      {"RadioGroup1 \"Left\"", "clicks after Right was chosen",
       [d] {
         d->RadioGroup1->SetItemIndex(1);
         PostClick(d->RadioGroup1->Buttons(0)->Handle());
       },
       d->Button1,
       [d] {
         EXPECT_EQ(0, d->RadioGroup1->ItemIndex());
         EXPECT_EQ(Indexed()[1], WorkPalette[0]);
       }},
      {"Button1 (OK)", "clicks", [] {}, d->Button1,
       [] { EXPECT_EQ(Indexed()[1], WorkPalette[0]); }},
      {"Button2 (Cancel)", "clicks", [d] { PostRetype(d->SpinEdit3->Handle(), "2"); }, d->Button2,
       [] { ExpectSamePalette(Indexed(), WorkPalette); }},
  };
  RunTable(d, FrmMain->RotateColours1, prepare, rows);
}

TEST_F(EditorDialogInput, Gradient) {
  TFrmGradient* d = FrmGradient;
  const auto prepare = [d] {
    d->StartColour->SetValue(0);
    d->EndColour->SetValue(255);
    d->Panel1->SetColor(clBlack);
    d->Panel2->SetColor(clWhite);
  };
  const pal::Colour picked = pal::MakeColour(200, 10, 30);
  const std::vector<InputRow> rows = {
      {"Panel1 (start swatch)", "double clicks, picks a colour",
       [&] {
         responder.colours.push_back(TColor(picked));
         PostDoubleClick(d->Panel1->Handle());
       },
       d->Button1,
       [&] {
         EXPECT_EQ(TColor(picked), d->Panel1->Color());
         EXPECT_EQ(picked, WorkPalette[0]);
       }},
      {"Panel2 (end swatch)", "double clicks, picks a colour",
       [&] {
         responder.colours.push_back(TColor(picked));
         PostDoubleClick(d->Panel2->Handle());
       },
       d->Button1, [&] { EXPECT_EQ(picked, WorkPalette[255]); }},
      {"StartColour", "types 10", [d] { PostRetype(d->StartColour->Handle(), "10"); }, d->Button1,
       [] {
         EXPECT_EQ(Indexed()[5], WorkPalette[5]);
         EXPECT_EQ(pal::Grey(0), WorkPalette[10]);
       }},
      {"EndColour", "types 20", [d] { PostRetype(d->EndColour->Handle(), "20"); }, d->Button1,
       [] {
         EXPECT_EQ(pal::Grey(255), WorkPalette[20]);
         EXPECT_EQ(Indexed()[21], WorkPalette[21]);
       }},
      {"Button1 (OK)", "clicks", [] {}, d->Button1,
       [] { EXPECT_EQ(pal::Grey(255), WorkPalette[255]); }},
      {"Button2 (Cancel)", "clicks", [d] { PostRetype(d->EndColour->Handle(), "20"); }, d->Button2,
       [] { ExpectSamePalette(Indexed(), WorkPalette); }},
  };
  RunTable(d, FrmMain->Gradient1, prepare, rows);
}

TEST_F(EditorDialogInput, CopyFromOtherPalette) {
  TForm4* d = Form4;
  const auto prepare = [d] {
    OtherPalette = Other();
    d->SpinEdit1->SetValue(0);
    d->SpinEdit2->SetValue(127);
    d->SpinEdit3->SetValue(128);
  };
  const std::string file = Scratch("dialog-input-other.map");
  ASSERT_TRUE(pal::SaveMapPalette(file, TestPalette()).ok());
  // The grid is 240 pixels square: cells of 15.
  const auto cell = [](int index) { return POINT{index % 16 * 15 + 7, index / 16 * 15 + 7}; };
  const std::vector<InputRow> rows = {
      {"SpinEdit1 (From)", "types 100", [d] { PostRetype(d->SpinEdit1->Handle(), "100"); },
       d->Button1,
       [d] {
         EXPECT_EQ(Other()[100], WorkPalette[128]);
         EXPECT_EQ(155, d->SpinEdit4->Value()) << "the shown end of the paste range";
       }},
      {"SpinEdit2 (To)", "types 10", [d] { PostRetype(d->SpinEdit2->Handle(), "10"); }, d->Button1,
       [d] {
         EXPECT_EQ(Other()[10], WorkPalette[138]);
         EXPECT_EQ(Indexed()[139], WorkPalette[139]);
         EXPECT_EQ(138, d->SpinEdit4->Value());
       }},
      {"SpinEdit3 (paste From)", "types 0", [d] { PostRetype(d->SpinEdit3->Handle(), "0"); },
       d->Button1,
       [d] {
         EXPECT_EQ(Other()[0], WorkPalette[0]);
         EXPECT_EQ(127, d->SpinEdit4->Value());
       }},
      {"Button2 (Open Palette)", "clicks, opens a file",
       [&] {
         responder.files.push_back({true, file, 4});
         PostClick(d->Button2->Handle());
       },
       d->Button1,
       [] {
         ExpectSamePalette(TestPalette(), OtherPalette, "other");
         EXPECT_EQ(TestPalette()[0], WorkPalette[128]);
       }},
      {"PaintBox1", "left click on cell 3",
       [&] {
         const POINT p = cell(3);
         ClickOn(d->PaintBox1, p.x, p.y);
       },
       d->Button1, [] { EXPECT_EQ(Other()[3], WorkPalette[128]); }},
      {"PaintBox1", "right click on cell 130",
       [&] {
         const POINT p = cell(130);
         ClickOn(d->PaintBox1, p.x, p.y, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
       },
       // Source 0..130 from target 128 runs past the end: the last entry takes source 127.
       d->Button1, [] { EXPECT_EQ(Other()[127], WorkPalette[255]); }},
      {"PaintBox1", "middle click on cell 200",
       [&] {
         const POINT p = cell(200);
         ClickOn(d->PaintBox1, p.x, p.y, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON);
       },
       d->Button1, [] { EXPECT_EQ(Other()[0], WorkPalette[200]); }},
      {"Button1 (OK)", "clicks", [] {}, d->Button1,
       [] { EXPECT_EQ(Other()[0], WorkPalette[128]); }},
      {"Button3 (Cancel)", "clicks", [d] { PostRetype(d->SpinEdit1->Handle(), "100"); },
       d->Button3, [] { ExpectSamePalette(Indexed(), WorkPalette); }},
  };
  RunTable(d, FrmMain->Copyfromotherpalette1, prepare, rows);
}

TEST_F(EditorDialogInput, About) {
  const std::vector<InputRow> rows = {
      {"Ok", "clicks", [] {}, FrmAbout->Ok, [] { EXPECT_FALSE(FrmAbout->Visible()); }},
  };
  RunTable(FrmAbout, FrmMain->Help1, [] {}, rows);
}

TEST_F(EditorDialogInput, PreviewWindowClosedByItsTitleBar) {
  ClickOn(FrmMain->button1, 10, 10);
  ASSERT_TRUE(PumpUntil([] { return Form2->Visible(); }));
  ASSERT_TRUE(FrmMain->button1->Down());
  PostMessageA(Form2->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([] { return !Form2->Visible(); }));
  EXPECT_FALSE(FrmMain->button1->Down()) << "the preview button comes back up";
}

}  // namespace
