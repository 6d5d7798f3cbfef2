// The AVI record window (see RecordWindow.h): its form description and handlers.
#include "explorer/record/RecordWindow.h"

#include <windows.h>

#include <cstdint>

#include "explorer/record/AviZoom.h"
#include "explorer/render/ExplorerControlWord.h"
#include "explorer/app/ExplorerHost.h"
#include "explorer/parameters/ParametersWindow.h"
#include "explorer/infobox/InfoBox.h"
#include "display/DXAVIRec.h"
#include "display/DXDraw.h"
#include "forms/controls/Button.h"
#include "forms/controls/CheckBox.h"
#include "forms/controls/ComboBox.h"
#include "forms/core/Consts.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/controls/Edit.h"
#include "forms/controls/Label.h"
#include "forms/controls/MediaPlayer.h"
#include "forms/controls/RadioGroup.h"
#include "forms/controls/SpeedButton.h"
#include "forms/core/SysUtils.h"
#include "forms/runtime/Thread.h"
#include "forms/controls/UpDown.h"

TForm5* Form5 = nullptr;

namespace {

const char FrameRateRange[] = "'%s' is not a frame rate from 1 to 255";
const char FrameSideRange[] =
    "%s: '%s' gives no frame; a side is a whole number of at least %d pixels (it is rounded down to a "
    "multiple of %d)";
const char FrameTooLarge[] =
    "AVI Width x AVI Height: %d x %d pixels is too large a frame; its 24-bit pixels may take at most 2 GB";

template <class T>
T* Make(TForm5* form, const char* name, int left, int top, int width, int height) {
  T* c = new T(form);
  c->SetName(name);
  c->SetParent(form);
  c->SetBounds(left, top, width, height);
  return c;
}

TLabel* MakeLabel(TForm5* form, const char* name, const char* caption, int left, int top) {
  auto* label = new TLabel(form);
  label->SetName(name);
  label->SetParent(form);
  label->SetLeft(left);
  label->SetTop(top);
  label->SetCaption(caption);
  return label;
}

TEdit* MakeEdit(TForm5* form, const char* name, const char* text, int left, int top, int width) {
  auto* edit = Make<TEdit>(form, name, left, top, width, 21);
  edit->SetText(text);
  return edit;
}

// A text as a 32-bit whole number, or the class library's conversion error.
int WholeNumber(const std::string& text) {
  const long long value = StrToInt(text);
  if (value < INT32_MIN || value > INT32_MAX) throw EConvertError(SInvalidInteger, text);
  return static_cast<int>(value);
}

// A box whose text is no whole number: the class library's conversion error, with RECORD
// up again.
void RefuseNoNumber(TEdit* edit, TSpeedButton* record) {
  record->SetDown(false);
  WholeNumber(edit->Text());
}

std::uint8_t FrameRateOf(TEdit* edit, TSpeedButton* record) {
  std::uint8_t fps = 0;
  if (ParseFrameRate(edit->Text(), fps)) return fps;
  RefuseNoNumber(edit, record);
  throw EConvertError(FrameRateRange, edit->Text());
}

// A side that the recorder's rounding to its block leaves above 0; a smaller one would
// make a recording without a frame.
int FrameSideOf(TEdit* edit, const char* field, const TDXAviRec* recorder, TSpeedButton* record) {
  std::int32_t side = 0;
  if (ParseFrameSide(edit->Text(), side) && recorder->RoundToBlock(side) > 0) return side;
  RefuseNoNumber(edit, record);
  throw EConvertError(FrameSideRange, field, edit->Text(), recorder->BlockSize(), recorder->BlockSize());
}

}  // namespace

TForm5::TForm5(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetName("Form5");
  SetCaption("Record Config");
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poMainFormCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(249);
  SetClientHeight(403);

  CheckBox1 = Make<TCheckBox>(this, "CheckBox1", 8, 8, 233, 17);
  CheckBox1->SetCaption("Show Compression Dialog");
  CheckBox1->SetChecked(false);
  CheckBox1->OnClick = MakeEvent(this, &TForm5::CheckBox1Click);

  Edit8 = MakeEdit(this, "Edit8", "velmar.avi", 8, 32, 153);
  Button3 = Make<TButton>(this, "Button3", 168, 30, 73, 25);
  Button3->SetCaption("Filename");
  Button3->OnClick = MakeEvent(this, &TForm5::Button3Click);
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->DefaultExt = "avi";
  SaveDialog1->FileName = "velmar";
  SaveDialog1->Filter = "AVI files (*.avi)|*.avi";
  SaveDialog1->Options = TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofEnableSizing};

  Label1 = MakeLabel(this, "Label1", "AVI FPS", 8, 66);
  Edit1 = MakeEdit(this, "Edit1", "30", 70, 62, 41);
  UpDown1 = Make<TUpDown>(this, "UpDown1", 111, 62, 16, 21);
  UpDown1->SetMin(10);
  UpDown1->SetMax(60);
  UpDown1->SetIncrement(5);
  UpDown1->SetWrap(true);
  UpDown1->SetPosition(30);
  UpDown1->SetAssociate(Edit1);
  Label2 = MakeLabel(this, "Label2", "AVI Width", 8, 92);
  Edit2 = MakeEdit(this, "Edit2", "640", 70, 88, 57);
  Label3 = MakeLabel(this, "Label3", "AVI Height", 8, 118);
  Edit3 = MakeEdit(this, "Edit3", "480", 70, 114, 57);

  Label6 = MakeLabel(this, "Label6", "Written Frames:", 140, 58);
  Edit6 = MakeEdit(this, "Edit6", "0", 140, 74, 101);
  Edit6->SetReadOnly(true);
  Label7 = MakeLabel(this, "Label7", "Written KB:", 140, 98);
  Edit7 = MakeEdit(this, "Edit7", "0", 140, 114, 101);
  Edit7->SetReadOnly(true);

  RadioGroup1 = Make<TRadioGroup>(this, "RadioGroup1", 8, 142, 233, 57);
  RadioGroup1->Items()->Add("Auto Frame Add");
  RadioGroup1->Items()->Add("Manual Frame Add");
  RadioGroup1->SetItemIndex(AutoFrameAdd);
  RadioGroup1->OnClick = MakeEvent(this, &TForm5::RadioGroup1Click);
  RadioGroup2 = Make<TRadioGroup>(this, "RadioGroup2", 8, 203, 233, 41);
  RadioGroup2->SetColumns(2);
  RadioGroup2->Items()->Add("Zoom In");
  RadioGroup2->Items()->Add("Zoom Out");
  RadioGroup2->SetItemIndex(ZoomIn);

  Button1 = Make<TButton>(this, "Button1", 8, 250, 233, 25);
  Button1->SetCaption("Add Frame");
  Button1->SetEnabled(false);
  Button1->SetHint("Right mouse button works too !");
  Button1->OnClick = MakeEvent(this, &TForm5::Button1Click);

  Label8 = MakeLabel(this, "Label8", "Auto Zoom Steps:", 8, 286);
  ComboBox1 = Make<TComboBox>(this, "ComboBox1", 120, 282, 57, 21);
  ComboBox1->SetStyle(csDropDown);
  ComboBox1->SetMaxLength(2);
  for (const char* steps : {"4", "8", "16", "32", "64"}) ComboBox1->Items()->Add(steps);
  ComboBox1->SetText("8");
  ComboBox1->OnChange = MakeEvent(this, &TForm5::ComboBox1Change);

  Label4 = MakeLabel(this, "Label4", "Client Width", 8, 312);
  Edit4 = MakeEdit(this, "Edit4", "", 90, 308, 57);
  Edit4->OnChange = MakeEvent(this, &TForm5::Edit4Change);
  Label5 = MakeLabel(this, "Label5", "Client Height", 8, 336);
  Edit5 = MakeEdit(this, "Edit5", "", 90, 332, 57);
  Button2 = Make<TButton>(this, "Button2", 160, 318, 81, 25);
  Button2->SetCaption("SET ");
  Button2->OnClick = MakeEvent(this, &TForm5::Button2Click);

  Label9 = MakeLabel(this, "Label9", "RECORD", 8, 358);
  SpeedButton1 = Make<TSpeedButton>(this, "SpeedButton1", 8, 374, 113, 23);
  SpeedButton1->SetGroupIndex(1);
  SpeedButton1->SetAllowAllUp(true);
  SpeedButton1->OnClick = MakeEvent(this, &TForm5::SpeedButton1Click);
  Label10 = MakeLabel(this, "Label10", "PREVIEW", 128, 358);
  SpeedButton2 = Make<TSpeedButton>(this, "SpeedButton2", 128, 374, 113, 23);
  SpeedButton2->OnClick = MakeEvent(this, &TForm5::Button4Click);

  DXAviRec1 = new TDXAviRec(this);
  DXAviRec1->SetName("DXAviRec1");
  DXAviRec1->SetFPS(30);
  DXAviRec1->SetWidth(320);
  DXAviRec1->SetHeight(240);
  DXAviRec1->SetDXDraw(ExplorerHost() ? ExplorerHost()->Display() : nullptr);
  DXAviRec1->SetAVIAudio(false);
  DXAviRec1->SetAutoVideo(false);
  DXAviRec1->SetTurnOffHWAccel(false);

  OnCreate = MakeEvent(this, &TForm5::FormCreate);
  OnShow = MakeEvent(this, &TForm5::FormShow);
  OnClose = MakeEvent(this, &TForm5::FormClose);
  OnDestroy = MakeEvent(this, &TForm5::FormDestroy);
  loader.Finish();
}

void TForm5::FormCreate(TObject*) { ComboBox1->SetItemIndex(1); }

void TForm5::FormShow(TObject*) { Set8087CW(ExplorerControlWord); }

void TForm5::FormClose(TObject*, TCloseAction&) {
  if (!Form3) return;
  try {
    Form3->MediaPlayer1->Close();
  } catch (const Exception&) {
    // A player with nothing open has nothing to close.
  }
}

void TForm5::FormDestroy(TObject*) {
  if (Form5 == this) Form5 = nullptr;
}

bool TForm5::AutoFlight() const {
  return DXAviRec1->Recording() && RadioGroup1->ItemIndex() == AutoFrameAdd;
}

int TForm5::ZoomSteps() { return WholeNumber(ComboBox1->Text()); }

void TForm5::CheckBox1Click(TObject*) {
  DXAviRec1->SetCompressor(CheckBox1->Checked() ? acShowDialog : acDefault);
}

void TForm5::Button3Click(TObject*) {
  if (SaveDialog1->Execute()) Edit8->SetText(SaveDialog1->FileName);
}

void TForm5::SpeedButton1Click(TObject*) {
  if (SpeedButton1->Down())
    StartRecording();
  else
    StopRecording();
}

void TForm5::StartRecording() {
  // Every box is read before anything changes, so a bad one leaves the recorder as it was.
  const std::uint8_t fps = FrameRateOf(Edit1, SpeedButton1);
  const int width = FrameSideOf(Edit2, "AVI Width", DXAviRec1, SpeedButton1);
  const int height = FrameSideOf(Edit3, "AVI Height", DXAviRec1, SpeedButton1);
  const int frameWidth = DXAviRec1->RoundToBlock(width), frameHeight = DXAviRec1->RoundToBlock(height);
  if (!TDXAviRec::FrameFits(frameWidth, frameHeight)) {
    SpeedButton1->SetDown(false);
    throw EConvertError(FrameTooLarge, frameWidth, frameHeight);
  }
  DXAviRec1->SetFPS(fps);
  DXAviRec1->SetWidth(width);
  DXAviRec1->SetHeight(height);
  DXAviRec1->SetFilename(Edit8->Text());
  if (!DXAviRec1->StartRecording()) {
    // The recorder only stays idle; the window shows why, with RECORD up again. A save
    // dialog the user cancelled needs no message.
    SpeedButton1->SetDown(false);
    if (!DXAviRec1->SetupError().empty()) throw Exception(DXAviRec1->SetupError());
    return;
  }
  if (RadioGroup1->ItemIndex() == ManualFrameAdd) {
    Button1->SetEnabled(true);
  } else if (IExplorerHost* host = ExplorerHost()) {
    // The end of this render takes the first step of the flight.
    host->RestartRender();
  }
}

void TForm5::StopRecording() {
  Button1->SetEnabled(false);
  if (DXAviRec1->Recording()) DXAviRec1->StopRecording(false);
}

void TForm5::Button1Click(TObject*) {
  DXAviRec1->AddFrame();
  Edit6->SetText(IntToStr(DXAviRec1->FrameCount()));
  Edit7->SetText(IntToStr(DXAviRec1->BytesWritten() / 1024));
}

void TForm5::RadioGroup1Click(TObject*) {
  if (RadioGroup1->ItemIndex() == AutoFrameAdd) {
    Button1->SetEnabled(false);
    // The parameters window's OK action: its values applied and the render restarted,
    // whose end then steps the zoom.
    if (DXAviRec1->Recording() && Form2) Form2->Button1Click(Form2);
  } else if (DXAviRec1->Recording()) {
    Button1->SetEnabled(true);
  }
}

void TForm5::ComboBox1Change(TObject*) {
  if (!ZoomStepsAccepted(ComboBox1->Text())) ComboBox1->SetText(IntToStr(AviDefaultZoomSteps));
}

void TForm5::Edit4Change(TObject*) {
  std::int32_t height = 0;
  if (ClientHeightForWidth(Edit4->Text(), height))
    Edit5->SetText(IntToStr(height));
  else
    MessageBeep(1);
}

void TForm5::Button2Click(TObject*) {
  IExplorerHost* host = ExplorerHost();
  if (!host) return;
  const int width = WholeNumber(Edit4->Text());
  const int height = WholeNumber(Edit5->Text());
  // The main window's own resize handler would write into these boxes while they are
  // being set.
  const TClientSize size = host->SetClientSizeQuietly(width, height);
  Edit5->SetText(IntToStr(size.Height));
  Edit4->SetText(IntToStr(size.Width));
}

void TForm5::Button4Click(TObject*) {
  if (!Form3) return;
  TMediaPlayer* player = Form3->MediaPlayer1;
  try {
    // The video plays in its own window.
    player->SetDisplay(nullptr);
    player->SetFileName(Edit8->Text());
    player->SetAutoEnable(true);
    player->Open();
    player->Play();
  } catch (const Exception&) {
    // A file that cannot be played shows nothing.
  }
}
