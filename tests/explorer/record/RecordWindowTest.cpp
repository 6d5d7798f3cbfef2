// The AVI record window on the real main window under wine: the window as built, its
// boxes' rules typed as the user types them, "SET " on the main window's client size,
// recordings that cannot start, the zoom flight in and out with its silent precision
// rule, and frames added by hand and by the right button. Every file written is read
// back here and by ffprobe (avi_ffprobe_check.sh) against what the test expects.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/display/AviRecorderTestSupport.h"
#include "explorer/record/AviZoom.h"
#include "explorer/app/ExplorerState.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/parameters/ParametersWindow.h"
#include "explorer/render/RenderSettings.h"
#include "tests/support/UserInput.h"
#include "tests/support/TextFit.h"
#include "tests/support/TipAt.h"
#include "explorer/infobox/InfoBox.h"
#include "explorer/record/RecordWindow.h"
#include "display/DXAVIRec.h"
#include "display/DXMediaConsts.h"
#include "forms/controls/Button.h"
#include "forms/controls/CheckBox.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/Edit.h"
#include "forms/controls/Label.h"
#include "forms/controls/MediaPlayer.h"
#include "forms/windows/Menus.h"
#include "forms/controls/RadioGroup.h"
#include "forms/controls/SpeedButton.h"
#include "forms/controls/UpDown.h"
#include "forms/dialogs/Dialogs.h"

namespace {

const char kOut[] = "avi-flight-out";

std::string OutFile(const std::string& name) { return std::string(kOut) + "\\" + name + ".avi"; }

// Files of an earlier run would be checked again by ffprobe: the folder starts empty.
class EmptyOutputFolder : public ::testing::Environment {
public:
  void SetUp() override {
    CreateDirectoryA(kOut, nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(kOut) + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileA((std::string(kOut) + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
};
::testing::Environment* const emptyOutputFolder = ::testing::AddGlobalTestEnvironment(new EmptyOutputFolder);

class AviRecordWindow : public MainWindowFixture {
protected:
  void SetUp() override {
    OpenWindow(640, 480);
    Form1 = form;
    Form2 = New<TForm2>(Application);
    form->ShowParameters();
    Form3 = New<TForm3>(Application);
    Form5 = New<TForm5>(Application);
    Form5->Show();
    ASSERT_TRUE(Settle());
  }

  void TearDown() override {
    if (Form5) {
      if (Form5->DXAviRec1->Recording()) Form5->DXAviRec1->StopRecording(true);
      Form5->Free();
    }
    EXPECT_EQ(Form5, nullptr) << "the window clears the program's reference to it";
    for (TForm* f : {static_cast<TForm*>(Form3), static_cast<TForm*>(Form2)})
      if (f) f->Free();
    Form3 = nullptr;
    Form2 = nullptr;
    MainWindowFixture::TearDown();
  }

  // RECORD clicked; a render it starts goes on.
  void Record() { ClickOn(Form5->SpeedButton1); }

  HWND ComboEdit() { return FindWindowExA(Form5->ComboBox1->Handle(), nullptr, "Edit", nullptr); }

  void SetUpRecording(const std::string& name, const char* width, const char* height, const char* fps) {
    Form5->Edit8->SetText(OutFile(name));
    Form5->Edit2->SetText(width);
    Form5->Edit3->SetText(height);
    Form5->Edit1->SetText(fps);
  }

  // Pumps until the recorder has written frames frames, then releases RECORD.
  bool RecordFrames(int frames, DWORD timeoutMs = 60000) {
    const bool reached = PumpUntil([&] { return Form5->DXAviRec1->FrameCount() >= frames; }, timeoutMs);
    Record();
    return reached && Settle();
  }
};

// The width in pixels of text in the record window's font.
int TextWidth(const std::string& text) {
  HDC dc = GetDC(Form5->Handle());
  HGDIOBJ old = SelectObject(dc, Form5->Font()->Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(Form5->Handle(), dc);
  return size.cx;
}

TEST_F(AviRecordWindow, TheWindowAsBuilt) {
  EXPECT_EQ(Form5->Caption(), "Record Config");
  EXPECT_EQ(Form5->ClientWidth(), 249);
  EXPECT_EQ(Form5->ClientHeight(), 403);
  EXPECT_EQ(Form5->BorderStyle(), bsSingle);
  EXPECT_EQ(Form5->BorderIcons(), TBorderIcons{biSystemMenu});

  const struct {
    TEdit* Edit;
    const char* Text;
    bool ReadOnly;
  } edits[] = {{Form5->Edit8, "velmar.avi", false}, {Form5->Edit1, "30", false}, {Form5->Edit2, "640", false},
               {Form5->Edit3, "480", false},        {Form5->Edit6, "0", true},   {Form5->Edit7, "0", true},
               {Form5->Edit4, "", false},           {Form5->Edit5, "", false}};
  for (const auto& e : edits) {
    EXPECT_EQ(e.Edit->Text(), e.Text) << e.Edit->Name();
    EXPECT_EQ(e.Edit->ReadOnly(), e.ReadOnly) << e.Edit->Name();
    EXPECT_EQ((GetWindowLongA(e.Edit->Handle(), GWL_STYLE) & ES_READONLY) != 0, e.ReadOnly) << e.Edit->Name();
  }
  EXPECT_FALSE(Form5->CheckBox1->Checked());
  EXPECT_EQ(Form5->RadioGroup1->ItemIndex(), TForm5::AutoFrameAdd);
  EXPECT_EQ(Form5->RadioGroup2->ItemIndex(), TForm5::ZoomIn);
  EXPECT_FALSE(Form5->Button1->Enabled());
  // The hint shows over the disabled button's place, and over the button once enabled.
  const char hint[] = "Right mouse button works too !";
  EXPECT_EQ(Form5->Button1->Hint(), hint);
  const RECT b = Form5->Button1->BoundsRect();
  EXPECT_EQ(TipAt(Form5->Handle(), POINT{(b.left + b.right) / 2, (b.top + b.bottom) / 2}), hint);
  EXPECT_EQ(TipAt(Form5->Handle(), POINT{b.left + 2, b.bottom - 2}), hint);
  EXPECT_EQ(TipAt(Form5->Handle(), POINT{b.left + 2, b.bottom + 2}), "");
  EXPECT_EQ(TipAt(Form5->Button1->Handle(), POINT{5, 5}), hint);
  EXPECT_FALSE(Form5->SpeedButton1->Down());
  EXPECT_EQ(Form5->ComboBox1->Items()->Count(), 5);
  EXPECT_EQ(Form5->ComboBox1->ItemIndex(), 1);
  EXPECT_EQ(Form5->ComboBox1->Text(), "8");
  EXPECT_EQ(Form5->ComboBox1->MaxLength(), 2);
  // The frame rate's arrows: 10 to 60 in steps of 5, going round at the ends.
  EXPECT_EQ(Form5->UpDown1->Position(), 30);
  Form5->UpDown1->Step(btNext);
  EXPECT_EQ(Form5->Edit1->Text(), "35");
  Form5->UpDown1->SetPosition(60);
  Form5->UpDown1->Step(btNext);
  EXPECT_EQ(Form5->Edit1->Text(), "10");
  Form5->UpDown1->Step(btPrev);
  EXPECT_EQ(Form5->Edit1->Text(), "60");

  TDXAviRec* r = Form5->DXAviRec1;
  EXPECT_EQ(r->FPS(), 30);
  EXPECT_EQ(r->Width(), 320);
  EXPECT_EQ(r->Height(), 240);
  EXPECT_EQ(r->DXDraw(), form->DXDraw1);
  EXPECT_FALSE(r->AVIAudio());
  EXPECT_FALSE(r->AutoVideo());
  EXPECT_FALSE(r->TurnOffHWAccel());
  EXPECT_EQ(r->Compressor(), acDefault);
  EXPECT_EQ(r->SizeRestriction(), srForceBlock8x8);

  // Every text fits its control, and no label runs into the control to its right.
  const struct {
    TControl* Control;
    int Room;  // pixels the text may take
  } texts[] = {
      {Form5->CheckBox1, Form5->CheckBox1->Width() - 18},
      {Form5->Button3, Form5->Button3->Width() - 6},
      {Form5->Button1, Form5->Button1->Width() - 6},
      {Form5->Button2, Form5->Button2->Width() - 6},
      {Form5->Label1, Form5->Edit1->Left() - Form5->Label1->Left()},
      {Form5->Label2, Form5->Edit2->Left() - Form5->Label2->Left()},
      {Form5->Label3, Form5->Edit3->Left() - Form5->Label3->Left()},
      {Form5->Label6, Form5->ClientWidth() - Form5->Label6->Left()},
      {Form5->Label7, Form5->ClientWidth() - Form5->Label7->Left()},
      {Form5->Label8, Form5->ComboBox1->Left() - Form5->Label8->Left()},
      {Form5->Label4, Form5->Edit4->Left() - Form5->Label4->Left()},
      {Form5->Label5, Form5->Edit5->Left() - Form5->Label5->Left()},
      {Form5->Label9, Form5->SpeedButton1->Width()},
      {Form5->Label10, Form5->SpeedButton2->Width()},
  };
  for (const auto& t : texts) EXPECT_LE(TextWidth(t.Control->Caption()), t.Room) << t.Control->Caption();
  for (TRadioGroup* group : {Form5->RadioGroup1, Form5->RadioGroup2})
    for (int i = 0; i < 2; ++i) {
      TRadioButton* b = group->Buttons(i);
      EXPECT_LE(TextWidth(b->Caption()), b->Width() - 18) << b->Caption();
    }
  const auto misfits = TextMisfits(Form5);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);

  // The menu item shows the window without making it modal.
  Form5->Hide();
  form->AVIRecord1->Click();
  EXPECT_TRUE(Form5->Visible());
  EXPECT_FALSE(Form5->Modal());
}

TEST_F(AviRecordWindow, TheHintShowsWhileThePointerRestsOnTheDisabledButton) {
  ASSERT_FALSE(Form5->Button1->Enabled());
  SetForegroundWindow(Form5->Handle());
  const RECT b = Form5->Button1->BoundsRect();
  const POINT at = Form5->ClientToScreen(POINT{(b.left + b.right) / 2, (b.top + b.bottom) / 2});
  // The pointer goes back where it was: later programs find it where they expect it.
  POINT before{0, 0};
  GetCursorPos(&before);
  SetCursorPos(at.x, at.y);
  std::string shown;
  const bool visible = PumpUntil(
      [&] {
        HWND tip = nullptr;
        while ((tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
          if (!IsWindowVisible(tip) || GetWindowThreadProcessId(tip, nullptr) != GetCurrentThreadId()) continue;
          char text[128] = "";
          GetWindowTextA(tip, text, sizeof text);
          shown = text;
          return true;
        }
        // The pointer rests: the system repeats where it is.
        POINT p;
        GetCursorPos(&p);
        if (p.x != at.x || p.y != at.y) SetCursorPos(at.x, at.y);
        return false;
      },
      5000);
  SetCursorPos(before.x, before.y);
  ASSERT_TRUE(visible);
  EXPECT_EQ(shown, "Right mouse button works too !");
}

TEST_F(AviRecordWindow, TheZoomStepsBoxRepairsWhatIsTyped) {
  const struct {
    const char* Typed;
    const char* Shown;
  } cases[] = {{"0", "8"}, {"ab", "8"}, {"16", "16"}, {"99", "99"}, {"100", "10"}, {"-", "8"}, {"5", "5"}};
  for (const auto& c : cases) {
    TypeInto(ComboEdit(), c.Typed);
    EXPECT_EQ(Form5->ComboBox1->Text(), c.Shown) << c.Typed;
  }
  // What cannot be typed (the box takes two characters) is repaired the same way.
  for (const char* text : {"100", "abc", ""}) {
    Form5->ComboBox1->SetText(text);
    Form5->ComboBox1Change(Form5->ComboBox1);
    EXPECT_EQ(Form5->ComboBox1->Text(), "8") << text;
  }
}

TEST_F(AviRecordWindow, ClientWidthSetsThreeQuartersAsHeightAndSetResizesTheMainWindow) {
  const struct {
    const char* Width;
    const char* Height;
  } cases[] = {{"640", "480"}, {"641", "481"}, {"642", "482"}, {"646", "484"}};
  for (const auto& c : cases) {
    SetWindowTextA(Form5->Edit4->Handle(), c.Width);
    EXPECT_EQ(Form5->Edit5->Text(), c.Height) << c.Width;
  }
  // Not a number: a beep, and the height stays.
  SetWindowTextA(Form5->Edit4->Handle(), "abc");
  EXPECT_EQ(Form5->Edit5->Text(), "484");

  SetWindowTextA(Form5->Edit4->Handle(), "641");
  SendMessageA(Form5->Button2->Handle(), BM_CLICK, 0, 0);
  ASSERT_TRUE(Settle());
  const int width = form->ClientWidth();
  EXPECT_EQ(Form5->Edit4->Text(), std::to_string(width));
  EXPECT_EQ(Form5->Edit5->Text(), std::to_string(RoundToEven(width * 0.75L)));
  EXPECT_TRUE(form->OnResize == MakeEvent(form, &TForm1::FormResize)) << "the resize handler is attached again";
  // The display follows the new client size; the render restarts by itself.
  EXPECT_EQ(form->DXDraw1->SurfaceWidth(), width);

  // A size the main window takes by other ways shows in the boxes: width, then height.
  form->SetClientWidth(712);
  form->SetClientHeight(400);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Form5->Edit4->Text(), std::to_string(form->ClientWidth()));
  EXPECT_EQ(Form5->Edit5->Text(), std::to_string(form->ClientHeight()));
}

TEST_F(AviRecordWindow, ARecordingThatCannotStartIsShownAndRecordPopsUp) {
  TRecordingResponder responder;
  const struct {
    const char* What;
    const char* File;
    const char* Width;
    const char* Fps;
    std::string Message;
  } cases[] = {
      {"no such folder", "avi-flight-out\\missing\\x.avi", "320", "30", SAviCannotCreateFile},
      {"frame rate 256", "avi-flight-out\\x.avi", "320", "256", "'256' is not a frame rate from 1 to 255"},
      {"frame rate 0", "avi-flight-out\\x.avi", "320", "0", "'0' is not a frame rate from 1 to 255"},
      {"width 0", "avi-flight-out\\x.avi", "0", "30",
       "AVI Width: '0' gives no frame; a side is a whole number of at least 8 pixels (it is rounded down to a "
       "multiple of 8)"},
      // A text that is no number gets the class library's own conversion error.
      {"width not a number", "avi-flight-out\\x.avi", "abc", "30", "'abc' is not a valid integer value"},
      {"frame rate not a number", "avi-flight-out\\x.avi", "320", "3O", "'3O' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    responder.boxes.clear();
    Form5->Edit8->SetText(c.File);
    Form5->Edit2->SetText(c.Width);
    Form5->Edit1->SetText(c.Fps);
    Record();
    EXPECT_FALSE(Form5->SpeedButton1->Down()) << c.What;
    EXPECT_FALSE(Form5->DXAviRec1->Recording()) << c.What;
    EXPECT_FALSE(Form5->Button1->Enabled()) << c.What;
    ASSERT_EQ(responder.boxes.size(), 1u) << c.What;
    EXPECT_EQ(responder.boxes[0].text, c.Message) << c.What;
    EXPECT_FALSE(FileExists("avi-flight-out\\x.avi")) << c.What;
  }
  EXPECT_EQ(Form5->DXAviRec1->FPS(), 30) << "nothing was taken from the bad boxes";
}

// RECORD refused by what was typed into "AVI FPS" (the up-down's buddy) comes back up, in
// its state and on the screen, and the pointer resting on it afterwards does not press
// it; a frame rate typed there is the one recorded.
TEST_F(AviRecordWindow, RecordRefusedByATypedFrameRateComesBackUpAndATypedRateCounts) {
  TRecordingResponder responder;
  ASSERT_TRUE(TypeOver(Form5->Edit8, OutFile("typed-rate")));
  ASSERT_TRUE(TypeOver(Form5->Edit2, "64"));
  ASSERT_TRUE(TypeOver(Form5->Edit3, "48"));
  ASSERT_TRUE(TypeOver(Form5->Edit1, "abc"));
  TSpeedButton* record = Form5->SpeedButton1;
  auto corner = [&] {
    HDC dc = GetDC(Form5->Handle());
    const COLORREF c = GetPixel(dc, record->Left(), record->Top()) & 0xFFFFFF;
    ReleaseDC(Form5->Handle(), dc);
    return c;
  };
  const COLORREF up = GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
  ASSERT_TRUE(PumpUntil([&] { return corner() == up; }, 5000));
  Record();
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].text, "'abc' is not a valid integer value");
  EXPECT_FALSE(record->Down());
  EXPECT_FALSE(Form5->DXAviRec1->Recording());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return corner() == up; }, 5000)) << "RECORD is drawn pressed";
  SendMessageA(Form5->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(record->Left() + 10, record->Top() + 8));
  PumpFor(100);
  EXPECT_EQ(corner(), up) << "the pointer over RECORD presses it";

  ASSERT_TRUE(TypeOver(Form5->Edit1, "45"));
  Record();
  ASSERT_TRUE(record->Down()) << (responder.boxes.size() > 1 ? responder.boxes[1].text : "");
  EXPECT_EQ(Form5->DXAviRec1->FPS(), 45);
  ASSERT_TRUE(RecordFrames(1));
  EXPECT_FALSE(record->Down());
  EXPECT_TRUE(PumpUntil([&] { return corner() == up; }, 5000));
  // The arrows step from what was typed.
  ASSERT_TRUE(TypeOver(Form5->Edit1, "52"));
  RECT r;
  GetClientRect(Form5->UpDown1->Handle(), &r);
  ClickAt(Form5->UpDown1, r.right / 2, r.bottom / 4);
  EXPECT_EQ(Form5->Edit1->Text(), "57");
}

// Sizes typed into the boxes that the recorder's rounding to 8 leaves without a frame, or
// that no frame can hold: refused by name before anything is written, with RECORD up.
TEST_F(AviRecordWindow, TypedFrameSizesWithoutAFrameAreRefusedByName) {
  TRecordingResponder responder;
  const std::string file = OutFile("noframe");
  const std::string below8 = "gives no frame; a side is a whole number of at least 8 pixels (it is rounded down to a multiple of 8)";
  const struct {
    const char* Width;
    const char* Height;
    std::string Message;
  } cases[] = {
      {"5", "480", "AVI Width: '5' " + below8},
      {"1", "480", "AVI Width: '1' " + below8},
      {"7", "7", "AVI Width: '7' " + below8},
      {"640", "7", "AVI Height: '7' " + below8},
      {"-16", "480", "AVI Width: '-16' " + below8},
      {"100000", "100000",
       "AVI Width x AVI Height: 100000 x 100000 pixels is too large a frame; its 24-bit pixels may take at most 2 GB"},
  };
  TypeInto(Form5->Edit8, file);
  for (const auto& c : cases) {
    responder.boxes.clear();
    TypeInto(Form5->Edit2, c.Width);
    TypeInto(Form5->Edit3, c.Height);
    Record();
    ASSERT_TRUE(Settle()) << c.Width << " x " << c.Height;
    EXPECT_FALSE(Form5->SpeedButton1->Down()) << c.Width << " x " << c.Height;
    EXPECT_FALSE(Form5->DXAviRec1->Recording()) << c.Width << " x " << c.Height;
    ASSERT_EQ(responder.boxes.size(), 1u) << c.Width << " x " << c.Height;
    EXPECT_EQ(responder.boxes[0].text, c.Message);
    EXPECT_FALSE(FileExists(file)) << c.Width << " x " << c.Height;
  }
  EXPECT_EQ(Form5->DXAviRec1->Width(), 320) << "nothing was taken from the refused boxes";
  // The smallest frame there is records.
  TypeInto(Form5->Edit2, "8");
  TypeInto(Form5->Edit3, "15");
  SendMessageA(Form5->RadioGroup1->Buttons(TForm5::ManualFrameAdd)->Handle(), BM_CLICK, 0, 0);
  Record();
  ASSERT_TRUE(Form5->DXAviRec1->Recording()) << (responder.boxes.empty() ? "" : responder.boxes.back().text);
  ClickOn(Form5->Button1);
  Record();
  const AviContents avi = ReadAvi(file);
  EXPECT_EQ(avi.frameFormat.biWidth, 8);
  EXPECT_EQ(avi.frameFormat.biHeight, 8);
  EXPECT_EQ(avi.frames.size(), 1u);
  ExpectFromFfprobe(file, {"codec_name=rawvideo|codec_type=video|width=8|height=8|r_frame_rate=30/1|nb_read_frames=1"});
}

// Every control of the record window through the user's own input, one row each: the
// control, what the user gives it, and what the window then shows or does.
TEST_F(AviRecordWindow, EveryControlAnswersTheUsersInput) {
  TFileAnswer answer;
  answer.name = OutFile("picked");
  const std::string file = OutFile("table");
  const struct Row {
    const char* Control;
    const char* Input;
    std::function<void()> Give;
    std::function<void()> Expect;
  } rows[] = {
      {"CheckBox1 \"Show Compression Dialog\"", "click", [&] { ClickOn(Form5->CheckBox1); },
       [&] { EXPECT_EQ(Form5->DXAviRec1->Compressor(), acShowDialog); }},
      {"CheckBox1 \"Show Compression Dialog\"", "click again", [&] { ClickOn(Form5->CheckBox1); },
       [&] { EXPECT_EQ(Form5->DXAviRec1->Compressor(), acDefault); }},
      {"Button3 \"Filename\"", "click, a name confirmed in the dialog", [&] { ClickOn(Form5->Button3); },
       [&] { EXPECT_EQ(Form5->Edit8->Text(), OutFile("picked")); }},
      {"Edit8", "a file name typed", [&] { TypeInto(Form5->Edit8, file); },
       [&] { EXPECT_EQ(Form5->Edit8->Text(), file); }},
      {"UpDown1", "the upper arrow", [&] { ClickUpDownArrow(Form5->UpDown1, true); },
       [&] { EXPECT_EQ(Form5->Edit1->Text(), "35"); }},
      {"UpDown1", "the lower arrow twice", [&] {
         ClickUpDownArrow(Form5->UpDown1, false);
         ClickUpDownArrow(Form5->UpDown1, false);
       },
       [&] { EXPECT_EQ(Form5->Edit1->Text(), "25"); }},
      {"Edit1 \"AVI FPS\"", "15 typed", [&] { TypeInto(Form5->Edit1, "15"); },
       [&] { EXPECT_EQ(Form5->Edit1->Text(), "15"); }},
      {"Edit2 \"AVI Width\"", "163 typed", [&] { TypeInto(Form5->Edit2, "163"); },
       [&] { EXPECT_EQ(Form5->Edit2->Text(), "163"); }},
      {"Edit3 \"AVI Height\"", "120 typed", [&] { TypeInto(Form5->Edit3, "120"); },
       [&] { EXPECT_EQ(Form5->Edit3->Text(), "120"); }},
      {"Edit6 \"Written Frames:\"", "9 typed into the read-only box", [&] { TypeInto(Form5->Edit6, "9"); },
       [&] { EXPECT_EQ(Form5->Edit6->Text(), "0"); }},
      {"Edit7 \"Written KB:\"", "9 typed into the read-only box", [&] { TypeInto(Form5->Edit7, "9"); },
       [&] { EXPECT_EQ(Form5->Edit7->Text(), "0"); }},
      {"RadioGroup1 \"Manual Frame Add\"", "click", [&] { ClickOn(Form5->RadioGroup1->Buttons(TForm5::ManualFrameAdd)); },
       [&] { EXPECT_EQ(Form5->RadioGroup1->ItemIndex(), TForm5::ManualFrameAdd); }},
      {"SpeedButton1 RECORD", "click", [&] { Record(); },
       [&] {
         EXPECT_TRUE(Form5->DXAviRec1->Recording());
         EXPECT_TRUE(Form5->SpeedButton1->Down());
         EXPECT_EQ(Form5->DXAviRec1->FPS(), 15) << "the typed frame rate";
         EXPECT_EQ(Form5->DXAviRec1->Width(), 160) << "the typed width, rounded down";
         EXPECT_EQ(Form5->DXAviRec1->Height(), 120) << "the typed height";
         EXPECT_EQ(Form5->DXAviRec1->RecordFileName(), file) << "the typed name";
         EXPECT_TRUE(Form5->Button1->Enabled());
       }},
      {"Button1 \"Add Frame\"", "click", [&] { ClickOn(Form5->Button1); },
       [&] {
         EXPECT_EQ(Form5->DXAviRec1->FrameCount(), 1);
         EXPECT_EQ(Form5->Edit6->Text(), "1");
       }},
      {"RadioGroup1 \"Auto Frame Add\"", "click while recording", [&] { ClickOn(Form5->RadioGroup1->Buttons(TForm5::AutoFrameAdd)); },
       [&] {
         EXPECT_FALSE(Form5->Button1->Enabled());
         EXPECT_TRUE(PumpUntil([&] { return Form5->DXAviRec1->FrameCount() >= 3; }, 30000)) << "the flight adds frames";
       }},
      {"SpeedButton1 RECORD", "click again", [&] { Record(); },
       [&] {
         EXPECT_FALSE(Form5->DXAviRec1->Recording());
         EXPECT_FALSE(Form5->SpeedButton1->Down());
         EXPECT_TRUE(FileExists(file));
       }},
      {"RadioGroup2 \"Zoom Out\"", "click", [&] { ClickOn(Form5->RadioGroup2->Buttons(TForm5::ZoomOut)); },
       [&] { EXPECT_EQ(Form5->RadioGroup2->ItemIndex(), TForm5::ZoomOut); }},
      {"RadioGroup2 \"Zoom In\"", "click", [&] { ClickOn(Form5->RadioGroup2->Buttons(TForm5::ZoomIn)); },
       [&] { EXPECT_EQ(Form5->RadioGroup2->ItemIndex(), TForm5::ZoomIn); }},
      {"ComboBox1 \"Auto Zoom Steps:\"", "16 typed", [&] { TypeInto(ComboEdit(), "16"); },
       [&] { EXPECT_EQ(Form5->ZoomSteps(), 16); }},
      {"ComboBox1 \"Auto Zoom Steps:\"", "0 typed", [&] { TypeInto(ComboEdit(), "0"); },
       [&] { EXPECT_EQ(Form5->ComboBox1->Text(), "8"); }},
      // Typed text selects no item: Down takes the list's first.
      {"ComboBox1 \"Auto Zoom Steps:\"", "Down arrow: an item of the list", [&] { PressKey(ComboEdit(), VK_DOWN); },
       [&] {
         EXPECT_EQ(Form5->ComboBox1->Text(), "4");
         EXPECT_EQ(Form5->ZoomSteps(), 4);
       }},
      {"Edit4 \"Client Width\"", "600 typed", [&] { TypeInto(Form5->Edit4, "600"); },
       [&] { EXPECT_EQ(Form5->Edit5->Text(), "450"); }},
      {"Edit5 \"Client Height\"", "448 typed", [&] { TypeInto(Form5->Edit5, "448"); },
       [&] { EXPECT_EQ(Form5->Edit5->Text(), "448"); }},
      {"Button2 \"SET \"", "click", [&] { ClickOn(Form5->Button2); },
       [&] {
         ASSERT_TRUE(Settle());
         EXPECT_EQ(form->ClientWidth(), 600);
         EXPECT_EQ(Form5->Edit4->Text(), std::to_string(form->ClientWidth()));
       }},
      {"SpeedButton2 PREVIEW", "click", [&] { ClickOn(Form5->SpeedButton2); },
       [&] {
         EXPECT_TRUE(Form3->MediaPlayer1->IsOpen());
         EXPECT_EQ(Form3->MediaPlayer1->FileName(), file);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Control) + ": " + row.Input);
    answer.boxes.clear();
    row.Give();
    PumpFor(20);
    row.Expect();
    EXPECT_TRUE(answer.boxes.empty()) << answer.boxes[0].text;
  }
  Form5->Close();
}

TEST_F(AviRecordWindow, AnAutoFlightRecordsEachRenderAndZoomsIn) {
  TRecordingResponder responder;
  const TPlaneView start{ViewLeft, ViewTop, ViewWidth, ViewHeight};
  SetUpRecording("flightin", "322", "240", "15");
  const int before = renderStarts;
  Record();
  ASSERT_TRUE(Form5->SpeedButton1->Down()) << (responder.boxes.empty() ? "" : responder.boxes[0].text);
  EXPECT_FALSE(Form5->Button1->Enabled());
  EXPECT_EQ(Form5->DXAviRec1->Width(), 320) << "rounded down to the block of 8";
  ASSERT_TRUE(RecordFrames(12));
  EXPECT_TRUE(responder.boxes.empty()) << responder.boxes[0].text;
  EXPECT_FALSE(Form5->SpeedButton1->Down());
  EXPECT_FALSE(Form5->DXAviRec1->Recording());

  const int frames = Form5->DXAviRec1->FrameCount();
  EXPECT_GE(frames, 12);
  EXPECT_EQ(Form5->Edit6->Text(), std::to_string(frames));
  EXPECT_EQ(Form5->Edit7->Text(), std::to_string(Form5->DXAviRec1->BytesWritten() / 1024));
  EXPECT_GE(renderStarts - before, frames) << "every frame is a render of its own";
  // Each step keeps 624 of 640 columns about the centre.
  EXPECT_NEAR(double(ViewWidth), double(start.Width) * std::pow(624.0 / 640.0, frames), 1e-12);
  EXPECT_NEAR(double(ViewLeft + ViewWidth / 2), double(start.Left + start.Width / 2), 1e-12);
  EXPECT_NEAR(double(ViewTop - ViewHeight / 2), double(start.Top - start.Height / 2), 1e-12);

  const AviContents c = ReadAvi(OutFile("flightin"));
  ASSERT_TRUE(c.opened);
  EXPECT_EQ(c.videoStreams, 1);
  EXPECT_EQ(c.audioStreams, 0);
  EXPECT_EQ(c.frameFormat.biWidth, 320);
  EXPECT_EQ(c.frameFormat.biHeight, 240);
  EXPECT_EQ(c.video.dwRate, 15u);
  ASSERT_EQ(static_cast<int>(c.frames.size()), frames);
  for (size_t i = 0; i < c.frames.size(); ++i) {
    EXPECT_TRUE(c.keyFrames[i]) << i;
    if (i > 0) {
      EXPECT_NE(c.frames[i], c.frames[i - 1]) << "frame " << i << " shows the next step";
    }
  }
  ExpectFromFfprobe(OutFile("flightin"),
                    {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=15/1|nb_read_frames=" +
                     std::to_string(frames)});
}

TEST_F(AviRecordWindow, AZoomOutFlightUndoesAZoomInFlight) {
  const TPlaneView start{ViewLeft, ViewTop, ViewWidth, ViewHeight};
  SetUpRecording("flightinout", "320", "240", "30");
  Form5->ComboBox1->SetText("32");
  Record();
  ASSERT_TRUE(RecordFrames(4));
  const int in = Form5->DXAviRec1->FrameCount();
  SendMessageA(Form5->RadioGroup2->Buttons(TForm5::ZoomOut)->Handle(), BM_CLICK, 0, 0);
  Record();
  ASSERT_TRUE(RecordFrames(in));
  // As many steps out as there were in: only the frame count may differ by the render
  // under way when RECORD went up.
  const int out = Form5->DXAviRec1->FrameCount();
  ASSERT_EQ(out, in);
  EXPECT_NEAR(double(ViewWidth), double(start.Width), 1e-15);
  EXPECT_NEAR(double(ViewHeight), double(start.Height), 1e-15);
  EXPECT_NEAR(double(ViewLeft), double(start.Left), 1e-15);
  EXPECT_NEAR(double(ViewTop), double(start.Top), 1e-15);
  EXPECT_EQ(AviZoomFactorX, 640.0L / (640 - 64));
  ExpectFromFfprobe(OutFile("flightinout"),
                    {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=30/1|nb_read_frames=" +
                     std::to_string(out)});
}

TEST_F(AviRecordWindow, TheFlightMovesTheKernelSilentlyWithItsOwnThresholds) {
  if (!HasSSE2) GTEST_SKIP() << "the processor has no SSE2";
  TRecordingResponder responder;
  struct Case {
    const char* What;
    long double Height;
    TKernelSwitches Before, After;
  } cases[] = {
      {"SSE gives way to SSE2 below 1e-4", 1.02e-4L, {0, -1, 0}, {-1, 0, 0}},
      {"SSE2 gives way to x87 below 5e-13", 5.1e-13L, {-1, 0, 0}, {0, 0, 0}},
  };
  int n = 0;
  for (const Case& c : cases) {
    ViewHeight = c.Height;
    ViewWidth = c.Height / 0.75L;
    ViewLeft = -0.75L;
    ViewTop = 0.1L;
    UseSSE2 = c.Before.UseSSE2;
    UseSSE = c.Before.UseSSE;
    Use3DNow = c.Before.Use3DNow;
    SetUpRecording("precision" + std::to_string(++n), "320", "240", "30");
    Record();
    // The first step takes the height below the threshold.
    ASSERT_TRUE(RecordFrames(2)) << c.What;
    EXPECT_LT(ViewHeight, c.Height) << c.What;
    EXPECT_EQ(UseSSE2, c.After.UseSSE2) << c.What;
    EXPECT_EQ(UseSSE, c.After.UseSSE) << c.What;
    EXPECT_EQ(Use3DNow, c.After.Use3DNow) << c.What;
    // The parameters window's kernel boxes follow, so that its OK action keeps them.
    EXPECT_EQ(Form2->CheckBox2->Checked(), c.After.UseSSE2 != 0) << c.What;
    EXPECT_EQ(Form2->CheckBox4->Checked(), c.After.UseSSE != 0) << c.What;
    EXPECT_EQ(Form2->CheckBox5->Checked(), c.After.Use3DNow != 0) << c.What;
  }
  EXPECT_TRUE(responder.boxes.empty()) << "no message: " << responder.boxes[0].text;
}

TEST_F(AviRecordWindow, ManualModeAddsExactlyTheFramesAsked) {
  SetUpRecording("manual", "320", "240", "25");
  SendMessageA(Form5->RadioGroup1->Buttons(TForm5::ManualFrameAdd)->Handle(), BM_CLICK, 0, 0);
  ASSERT_TRUE(Settle());
  const TPlaneView start{ViewLeft, ViewTop, ViewWidth, ViewHeight};
  const int starts = renderStarts;
  Record();
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(Form5->DXAviRec1->Recording());
  EXPECT_TRUE(Form5->Button1->Enabled());
  EXPECT_EQ(renderStarts, starts) << "a manual recording starts no render";
  for (int i = 0; i < 3; ++i) SendMessageA(Form5->Button1->Handle(), BM_CLICK, 0, 0);
  // The right button on the display adds one more.
  PostMessageA(form->DXDraw1->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
  PostMessageA(form->DXDraw1->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Form5->DXAviRec1->FrameCount(), 4);
  EXPECT_EQ(Form5->Edit6->Text(), "4");
  EXPECT_EQ(Form5->Edit7->Text(), std::to_string(Form5->DXAviRec1->BytesWritten() / 1024));
  Record();
  EXPECT_FALSE(Form5->Button1->Enabled());
  EXPECT_FALSE(Form5->DXAviRec1->Recording());
  EXPECT_EQ(Form5->Edit6->Text(), "4") << "the counters keep their last values";
  EXPECT_EQ(ViewWidth, start.Width);
  EXPECT_EQ(ViewLeft, start.Left);
  // Outside a recording the right button adds nothing.
  PostMessageA(form->DXDraw1->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Form5->DXAviRec1->FrameCount(), 4);

  const AviContents c = ReadAvi(OutFile("manual"));
  ASSERT_EQ(c.frames.size(), 4u);

  // PREVIEW opens the file on the info box's media player, in a window of its own;
  // closing the record window closes the player.
  ClickOn(Form5->SpeedButton2);
  EXPECT_TRUE(Form3->MediaPlayer1->IsOpen());
  EXPECT_EQ(Form3->MediaPlayer1->FileName(), OutFile("manual"));
  EXPECT_EQ(Form3->MediaPlayer1->Display(), nullptr);
  Form5->Close();
  EXPECT_FALSE(Form3->MediaPlayer1->IsOpen());
  // A file that cannot be played shows nothing.
  TRecordingResponder responder;
  Form5->Edit8->SetText("avi-flight-out\\missing.avi");
  ClickOn(Form5->SpeedButton2);
  EXPECT_FALSE(Form3->MediaPlayer1->IsOpen());
  EXPECT_TRUE(responder.boxes.empty());
  ExpectFromFfprobe(OutFile("manual"),
                    {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=25/1|nb_read_frames=4"});
}

TEST_F(AviRecordWindow, SwitchingToAutoDuringAManualRecordingStartsTheFlight) {
  SetUpRecording("switched", "320", "240", "25");
  SendMessageA(Form5->RadioGroup1->Buttons(TForm5::ManualFrameAdd)->Handle(), BM_CLICK, 0, 0);
  Record();
  SendMessageA(Form5->Button1->Handle(), BM_CLICK, 0, 0);
  const long double width = ViewWidth;
  SendMessageA(Form5->RadioGroup1->Buttons(TForm5::AutoFrameAdd)->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(Form5->Button1->Enabled());
  ASSERT_TRUE(RecordFrames(4));
  EXPECT_LT(ViewWidth, width);
}

}  // namespace
