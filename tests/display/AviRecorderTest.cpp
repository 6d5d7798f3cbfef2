// The AVI recorder on a real display control in a window: frames copied from the back
// surface (straight and scaled down), the timer's frames, the sound track from the
// stand-in capture device, the file dialog and the overwrite question, set-up failures
// that leave nothing behind, the size rules and the x87 control word after a start.
// Every file written is also checked by ffprobe (avi_ffprobe_check.sh).
#include <gtest/gtest.h>

#include <memory>

#include "tests/display/AviRecorderTestSupport.h"
#include "tests/display/DXDrawTestForm.h"
#include "tests/display/FakeSoundCapture.h"
#include "display/DXAVIRec.h"
#include "display/DXAVIRecState.h"
#include "display/DXConsts.h"
#include "display/DXMediaConsts.h"
#include "display/DXSounds.h"
#include "forms/runtime/Thread.h"

namespace {

struct Freer {
  void operator()(TObject* o) const { o->Free(); }
};
using FormPtr = std::unique_ptr<TDXDrawTestForm, Freer>;
using RecorderPtr = std::unique_ptr<TDXAviRec, Freer>;

const char kOut[] = "avi-out\\";
const DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

std::string OutFile(const std::string& name) { return kOut + name + ".avi"; }

void LoadControlWord(unsigned short word) { __asm__ __volatile__("fldcw %0" : : "m"(word)); }

// Files of an earlier run would be checked again by ffprobe: the folder starts empty.
class EmptyOutputFolder : public ::testing::Environment {
public:
  void SetUp() override {
    CreateDirectoryA("avi-out", nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("avi-out\\*.*", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((std::string(kOut) + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
};
::testing::Environment* const emptyOutputFolder = ::testing::AddGlobalTestEnvironment(new EmptyOutputFolder);

class AviRecorder : public ::testing::Test {
protected:
  void SetUp() override {
    CreateDirectoryA("avi-out", nullptr);
    CodecDialogAnswer::Reset();
    SetAVISaveOptionsProc(&CodecDialogAnswer::Answer);
  }
  void TearDown() override {
    if (recorder && recorder->Recording()) recorder->StopRecording(true);
    recorder.reset();
    form.reset();
    SetAVISaveOptionsProc(nullptr);
    FakeSoundCapture::Uninstall();
  }

  // A shown form with a surface of the given size, and a recorder on its control set
  // for frames on request, no sound, and the uncompressed codec chosen in the dialog.
  void Make(int surfaceWidth, int surfaceHeight) {
    TDXDrawFormSetup setup;
    setup.surfaceWidth = surfaceWidth;
    setup.surfaceHeight = surfaceHeight;
    setup.clientWidth = std::max(400, surfaceWidth);
    setup.clientHeight = std::max(300, surfaceHeight);
    form.reset(New<TDXDrawTestForm>(nullptr, setup));
    form->Show();
    ASSERT_TRUE(form->DXDraw1->Initialized());
    recorder.reset(new TDXAviRec(nullptr));
    recorder->SetDXDraw(form->DXDraw1);
    recorder->SetAVIAudio(false);
    recorder->SetAutoVideo(false);
    recorder->SetCompressor(acShowDialog);
  }
  TDirectDrawSurface* Surface() { return form->DXDraw1->Surface(); }
  bool Fill(RECT r, DWORD colour) { return FillThroughLock(Surface(), r, colour); }

  FormPtr form;
  RecorderPtr recorder;
};

TEST(TDXAviRecProperties, DefaultsAndHiddenWindow) {
  RecorderPtr r(new TDXAviRec(nullptr));
  EXPECT_EQ(r->FPS(), 25);
  EXPECT_EQ(r->DXDraw(), nullptr);
  EXPECT_EQ(r->Width(), 320);
  EXPECT_EQ(r->Height(), 240);
  EXPECT_EQ(r->Filename(), "");
  EXPECT_EQ(r->Compressor(), acDefault);
  EXPECT_EQ(r->SizeRestriction(), srForceBlock8x8);
  EXPECT_TRUE(r->AVIAudio());
  EXPECT_TRUE(r->AutoVideo());
  EXPECT_TRUE(r->TurnOffHWAccel());
  EXPECT_FALSE(r->Recording());
  EXPECT_EQ(r->FrameCount(), 0);
  EXPECT_EQ(r->BytesWritten(), 0);
  ASSERT_TRUE(IsWindow(r->FrameWindow()));
  EXPECT_FALSE(IsWindowVisible(r->FrameWindow()));
  const HWND window = r->FrameWindow();
  r.reset();
  EXPECT_FALSE(IsWindow(window));
}

TEST(TDXAviRecProperties, SizesRoundDownToTheBlock) {
  struct Case {
    TAVISizeRestriction restriction;
    int value, expected;
  } cases[] = {{srForceBlock8x8, 644, 640},    {srForceBlock8x8, 5, 0},        {srForceBlock8x8, 8, 8},
               {srForceBlock16x16, 47, 32},    {srForceBlock32x32, 500, 480},  {srForceBlock32x32, 31, 0},
               {srNoRestriction, 643, 643},    {srNoRestriction, 1, 1}};
  for (const Case& c : cases) {
    RecorderPtr r(new TDXAviRec(nullptr));
    r->SetSizeRestriction(c.restriction);
    EXPECT_EQ(r->RoundToBlock(c.value), c.expected) << c.value;
    r->SetWidth(c.value);
    r->SetHeight(c.value);
    EXPECT_EQ(r->Width(), c.expected) << c.value;
    EXPECT_EQ(r->Height(), c.expected) << c.value;
  }
}

TEST(TDXAviRecProperties, ZeroAndNegativeSizesAreIgnored) {
  RecorderPtr r(new TDXAviRec(nullptr));
  for (int v : {0, -8, -1000}) {
    r->SetWidth(v);
    r->SetHeight(v);
    EXPECT_EQ(r->Width(), 320);
    EXPECT_EQ(r->Height(), 240);
  }
}

TEST(TDXAviRecProperties, ChangingTheRestrictionRoundsTheCurrentSize) {
  RecorderPtr r(new TDXAviRec(nullptr));
  r->SetSizeRestriction(srNoRestriction);
  r->SetWidth(500);
  r->SetHeight(300);
  r->SetSizeRestriction(srForceBlock32x32);
  EXPECT_EQ(r->Width(), 480);
  EXPECT_EQ(r->Height(), 288);
  r->SetSizeRestriction(srNoRestriction);
  r->SetWidth(640);
  r->SetHeight(480);
  r->SetSizeRestriction(srForceBlock32x32);
  EXPECT_EQ(r->Width(), 640);
  EXPECT_EQ(r->Height(), 480);
}

TEST(TDXAviRecProperties, StartingWithoutADisplayControlIsAnAssertionFailure) {
  RecorderPtr r(new TDXAviRec(nullptr));
  LoadControlWord(0x027F);
  try {
    r->StartRecording();
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), SAssertionFailure);
  }
  EXPECT_FALSE(r->Recording());
  EXPECT_EQ(Get8087CW() | 0x40, Default8087CW | 0x40);
  r->AddFrame();  // not recording: nothing
  EXPECT_EQ(r->FrameCount(), 0);
}

TEST(TDXAviRecProperties, StoppingWhatWasNeverStartedRaises) {
  RecorderPtr r(new TDXAviRec(nullptr));
  try {
    r->StopRecording(false);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), SAviNotCreated);
  }
}

TEST_F(AviRecorder, RecordsFramesStretchedStraightFromTheSurface) {
  Make(320, 192);
  const TDXDrawOptions before = form->DXDraw1->Options();
  recorder->SetFPS(30);
  recorder->SetFilename(OutFile("straight"));
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  EXPECT_TRUE(recorder->Recording());
  EXPECT_EQ(CodecDialogAnswer::calls, 1);
  EXPECT_EQ(CodecDialogAnswer::flags, static_cast<UINT>(ICMF_CHOOSE_KEYFRAME | ICMF_CHOOSE_DATARATE));
  EXPECT_EQ(CodecDialogAnswer::streams, 1);
  EXPECT_EQ(CodecDialogAnswer::owner, form->Handle());
  EXPECT_TRUE(form->DXDraw1->Options().Contains(doEmulationOnly));
  EXPECT_TRUE(form->DXDraw1->Initialized());
  EXPECT_EQ(TDXAviRec::RecordFileName(), OutFile("straight"));
  // Sizes are fixed while recording.
  recorder->SetWidth(160);
  EXPECT_EQ(recorder->Width(), 320);

  ASSERT_TRUE(Fill({0, 0, 320, 96}, kRed));
  ASSERT_TRUE(Fill({0, 96, 320, 192}, kBlue));
  recorder->AddFrame();
  ASSERT_TRUE(Fill({0, 0, 320, 192}, kGreen));
  for (int i = 0; i < 4; ++i) recorder->AddFrame();
  EXPECT_EQ(recorder->FrameCount(), 5);
  const int frameBytes = 320 * 3 * 240;
  EXPECT_GE(recorder->BytesWritten(), 5 * frameBytes);
  recorder->StopRecording(false);
  EXPECT_FALSE(recorder->Recording());
  EXPECT_EQ(form->DXDraw1->Options(), before);
  EXPECT_TRUE(form->DXDraw1->Initialized());

  const AviContents c = ReadAvi(OutFile("straight"));
  ASSERT_TRUE(c.opened);
  EXPECT_EQ(c.videoStreams, 1);
  EXPECT_EQ(c.audioStreams, 0);
  EXPECT_EQ(c.video.dwRate, 30u);
  EXPECT_EQ(c.video.dwScale, 1u);
  EXPECT_EQ(c.frameFormat.biWidth, 320);
  EXPECT_EQ(c.frameFormat.biHeight, 240);
  EXPECT_EQ(c.frameFormat.biBitCount, 24);
  ASSERT_EQ(c.frames.size(), 5u);
  for (bool key : c.keyFrames) EXPECT_TRUE(key);
  // 192 rows spread over 240: the halves stay halves.
  EXPECT_EQ(FramePixel(c, 0, 160, 5), kRed);
  EXPECT_EQ(FramePixel(c, 0, 10, 110), kRed);
  EXPECT_EQ(FramePixel(c, 0, 300, 130), kBlue);
  EXPECT_EQ(FramePixel(c, 0, 160, 235), kBlue);
  EXPECT_EQ(FramePixel(c, 4, 0, 0), kGreen);
  EXPECT_EQ(FramePixel(c, 4, 319, 239), kGreen);
  ExpectFromFfprobe(OutFile("straight"), {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=30/1|nb_read_frames=5"});
}

TEST_F(AviRecorder, ALargerSurfaceIsScaledDownThroughTheStagingBitmap) {
  Make(640, 480);
  recorder->SetTurnOffHWAccel(false);
  recorder->SetFilename(OutFile("scaled"));
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  ASSERT_TRUE(Fill({0, 0, 320, 240}, kRed));
  ASSERT_TRUE(Fill({320, 0, 640, 240}, kGreen));
  ASSERT_TRUE(Fill({0, 240, 320, 480}, kBlue));
  ASSERT_TRUE(Fill({320, 240, 640, 480}, kWhite));
  recorder->AddFrame();
  recorder->AddFrame();
  recorder->StopRecording(false);

  const AviContents c = ReadAvi(OutFile("scaled"));
  ASSERT_EQ(c.frames.size(), 2u);
  EXPECT_EQ(c.frameFormat.biWidth, 320);
  EXPECT_EQ(c.frameFormat.biHeight, 240);
  EXPECT_EQ(FramePixel(c, 0, 80, 60), kRed);
  EXPECT_EQ(FramePixel(c, 0, 240, 60), kGreen);
  EXPECT_EQ(FramePixel(c, 0, 80, 180), kBlue);
  EXPECT_EQ(FramePixel(c, 1, 240, 180), kWhite);
  EXPECT_EQ(FramePixel(c, 1, 0, 0), kRed);
  ExpectFromFfprobe(OutFile("scaled"), {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=25/1|nb_read_frames=2"});
}

TEST_F(AviRecorder, TheTimerAddsFramesAtItsRateAndStopsWithTheRecording) {
  Make(320, 192);
  recorder->SetAutoVideo(true);
  recorder->SetFPS(30);
  recorder->SetFilename(OutFile("timer"));
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  ASSERT_TRUE(Fill({0, 0, 320, 192}, kBlue));
  PumpFor(1000);
  const int frames = recorder->FrameCount();
  // 33 ms a frame for one second, on a busy machine.
  EXPECT_GE(frames, 8);
  EXPECT_LE(frames, 34);
  recorder->StopRecording(false);
  // A request still on its way after the stop adds nothing.
  PostMessageA(recorder->FrameWindow(), WM_DXAVIREC_FRAME, 0, 0);
  PumpFor(100);
  EXPECT_EQ(recorder->FrameCount(), frames);

  const AviContents c = ReadAvi(OutFile("timer"));
  ASSERT_EQ(static_cast<int>(c.frames.size()), frames);
  EXPECT_EQ(c.video.dwRate, 30u);
  EXPECT_EQ(FramePixel(c, c.frames.size() - 1, 100, 100), kBlue);
  ExpectFromFfprobe(OutFile("timer"), {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=30/1|nb_read_frames=" +
                                       std::to_string(frames)});
}

TEST_F(AviRecorder, RecordsTheSoundTrackFromTheCaptureDevice) {
  FakeSoundCapture::Install();
  FakeSoundCapture::Settings().realTime = true;
  Make(320, 192);
  recorder->SetAVIAudio(true);
  recorder->SetFilename(OutFile("sound"));
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  ASSERT_NE(recorder->CaptureStream(), nullptr);
  EXPECT_TRUE(recorder->CaptureStream()->Capturing());
  EXPECT_EQ(recorder->CaptureStream()->CaptureFormat, 15);
  EXPECT_EQ(FakeSoundCapture::LastBuffer().bufferBytes, 176400u);
  recorder->AddFrame();
  PumpFor(700);
  recorder->AddFrame();
  // The capture's last notification may still write while the recording closes.
  recorder->StopRecording(false);
  const int bytes = recorder->BytesWritten();
  EXPECT_EQ(recorder->CaptureStream(), nullptr);
  EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 0);
  EXPECT_EQ(FakeSoundCapture::LiveDevices(), 0);

  const AviContents c = ReadAvi(OutFile("sound"));
  ASSERT_EQ(c.audioStreams, 1);
  ASSERT_NE(c.audio.dwScale, 0u);
  EXPECT_EQ(c.audio.dwRate / c.audio.dwScale, 44100u);
  EXPECT_EQ(c.audio.dwSampleSize, 4u);
  EXPECT_EQ(c.audioFormat.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(c.audioFormat.nChannels, 2);
  EXPECT_EQ(c.audioFormat.nSamplesPerSec, 44100u);
  EXPECT_EQ(c.audioFormat.wBitsPerSample, 16);
  // About 0.7 s of sound, exactly what the device captured, in order.
  const std::vector<BYTE> sound = ChunkData(OutFile("sound"), "01wb");
  EXPECT_GE(sound.size(), 176400u * 4 / 10);
  EXPECT_LE(sound.size(), 176400u * 15 / 10);
  EXPECT_EQ(sound.size() % 4, 0u);
  for (size_t i = 0; i < sound.size(); ++i)
    ASSERT_EQ(sound[i], FakeSoundCapture::Pattern(static_cast<DWORD>(i % 176400))) << i;
  EXPECT_EQ(bytes, static_cast<int>(sound.size() + c.frames.size() * 320 * 3 * 240));
  ExpectFromFfprobe(OutFile("sound"), {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=25/1|nb_read_frames=2",
                                       "codec_name=pcm_s16le|codec_type=audio|sample_rate=44100|channels=2"});
}

TEST_F(AviRecorder, WithoutACaptureDeviceTheStartFailsAndLeavesNothing) {
  Make(320, 192);
  const TDXDrawOptions before = form->DXDraw1->Options();
  recorder->SetAVIAudio(true);
  recorder->SetFilename(OutFile("nodevice"));
  EXPECT_FALSE(recorder->StartRecording());
  EXPECT_EQ(recorder->SetupError(), Format(SDXCannotInitialized, SDirectSoundCapture));
  EXPECT_FALSE(recorder->Recording());
  EXPECT_EQ(recorder->CaptureStream(), nullptr);
  EXPECT_FALSE(FileExists(OutFile("nodevice")));
  EXPECT_EQ(form->DXDraw1->Options(), before);
  EXPECT_TRUE(form->DXDraw1->Initialized());
  EXPECT_THROW(recorder->StopRecording(false), Exception);
}

TEST_F(AviRecorder, SetUpFailuresReportAndLeaveNoHalfState) {
  Make(320, 192);
  const TDXDrawOptions before = form->DXDraw1->Options();
  struct Case {
    const char* name;
    TAVICompressor compressor;
    DWORD handler;
    std::string file;
    std::string error;
  } cases[] = {
      {"missing codec", acShowDialog, mmioFOURCC('Q', 'V', 'Z', 'Z'), OutFile("nocodec"),
       std::string(SAviCannotMakeCompressedStream) + SAviNoSuchCompressor},
      {"unwritable path", acShowDialog, mmioFOURCC('D', 'I', 'B', ' '), "avi-out\\no-such-folder\\x.avi",
       SAviCannotCreateFile},
  };
  for (const Case& c : cases) {
    CodecDialogAnswer::handler = c.handler;
    recorder->SetCompressor(c.compressor);
    recorder->SetFilename(c.file);
    LoadControlWord(0x027F);
    EXPECT_FALSE(recorder->StartRecording()) << c.name;
    EXPECT_EQ(recorder->SetupError(), c.error) << c.name;
    EXPECT_EQ(Get8087CW() | 0x40, Default8087CW | 0x40) << c.name;
    EXPECT_FALSE(recorder->Recording()) << c.name;
    EXPECT_FALSE(FileExists(c.file)) << c.name;
    EXPECT_EQ(form->DXDraw1->Options(), before) << c.name;
    EXPECT_TRUE(form->DXDraw1->Initialized()) << c.name;
    recorder->AddFrame();
    EXPECT_EQ(recorder->FrameCount(), 0) << c.name;
  }
  // Nothing of the failures stays in the way of the next recording.
  CodecDialogAnswer::handler = mmioFOURCC('D', 'I', 'B', ' ');
  recorder->SetCompressor(acShowDialog);
  recorder->SetFilename(OutFile("afterfailures"));
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  recorder->AddFrame();
  recorder->StopRecording(false);
  EXPECT_EQ(ReadAvi(OutFile("afterfailures")).frames.size(), 1u);
  ExpectFromFfprobe(OutFile("afterfailures"), {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=25/1|nb_read_frames=1"});
}

// A size that the rounding to the block leaves at 0, or one whose pixels no stream write
// can hold, fails the set-up with its reason before a file is made.
TEST_F(AviRecorder, AFrameSizeWithoutAFrameFailsTheSetUpAndLeavesNoFile) {
  Make(320, 192);
  const struct {
    int width, height;
    std::string error;
  } cases[] = {
      {5, 240, Format(SAviEmptyFrame, 0, 240)},
      {320, 7, Format(SAviEmptyFrame, 320, 0)},
      {100000, 100000, Format(SAviFrameTooLarge, 100000, 100000)},
      {26760, 26760, Format(SAviFrameTooLarge, 26760, 26760)},  // 2 148 292 800 bytes
  };
  CodecDialogAnswer::handler = mmioFOURCC('D', 'I', 'B', ' ');
  for (const auto& c : cases) {
    recorder->SetWidth(c.width);
    recorder->SetHeight(c.height);
    recorder->SetFilename(OutFile("noframe"));
    EXPECT_FALSE(recorder->StartRecording()) << c.width << " x " << c.height;
    EXPECT_EQ(recorder->SetupError(), c.error);
    EXPECT_FALSE(recorder->Recording());
    EXPECT_FALSE(FileExists(OutFile("noframe"))) << c.width << " x " << c.height;
    EXPECT_TRUE(form->DXDraw1->Initialized());
  }
  EXPECT_TRUE(TDXAviRec::FrameFits(26752, 26752));
  EXPECT_FALSE(TDXAviRec::FrameFits(0, 1));
}

// Video 1, the default codec, refuses the frame format under this platform: the
// default options then record whole frames, from the default setting as from a
// cancelled codec dialog.
TEST_F(AviRecorder, WithoutTheDefaultCodecFramesAreRecordedWhole) {
  Make(320, 192);
  const struct {
    const char* name;
    TAVICompressor compressor;
    bool confirm;
    int dialogs;
  } cases[] = {{"fulldefault", acDefault, true, 0}, {"cancelledcodec", acShowDialog, false, 1}};
  for (const auto& c : cases) {
    CodecDialogAnswer::Reset();
    CodecDialogAnswer::confirm = c.confirm;
    recorder->SetCompressor(c.compressor);
    recorder->SetFilename(OutFile(c.name));
    ASSERT_TRUE(recorder->StartRecording()) << c.name << ": " << recorder->SetupError();
    EXPECT_EQ(CodecDialogAnswer::calls, c.dialogs) << c.name;
    ASSERT_TRUE(Fill({0, 0, 320, 192}, kRed));
    recorder->AddFrame();
    ASSERT_TRUE(Fill({0, 0, 320, 192}, kWhite));
    recorder->AddFrame();
    recorder->StopRecording(false);
    const AviContents a = ReadAvi(OutFile(c.name));
    ASSERT_EQ(a.frames.size(), 2u) << c.name;
    EXPECT_EQ(a.frameFormat.biCompression, static_cast<DWORD>(BI_RGB)) << c.name;
    EXPECT_EQ(a.frames[0].size(), 320u * 3 * 240) << c.name;
    EXPECT_TRUE(a.keyFrames[0] && a.keyFrames[1]) << c.name;
    EXPECT_EQ(FramePixel(a, 0, 100, 100), kRed) << c.name;
    EXPECT_EQ(FramePixel(a, 1, 100, 100), kWhite) << c.name;
    ExpectFromFfprobe(OutFile(c.name), {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=25/1|nb_read_frames=2"});
  }
}

TEST_F(AviRecorder, TheControlWordIsTheDefaultAfterASuccessfulStart) {
  Make(320, 192);
  const unsigned short saved = Default8087CW;
  Set8087CW(0x133F);
  LoadControlWord(0x027F);
  recorder->SetFilename(OutFile("controlword"));
  const bool started = recorder->StartRecording();
  const unsigned short word = Get8087CW();
  if (started) recorder->StopRecording(true);
  Set8087CW(saved);
  ASSERT_TRUE(started) << recorder->SetupError();
  EXPECT_EQ(word, 0x137F);  // bit 6 always reads back as 1
}

TEST_F(AviRecorder, StopWithDeleteRemovesTheFileAndASecondStopRaises) {
  Make(320, 192);
  recorder->SetFilename(OutFile("deleted"));
  ASSERT_TRUE(recorder->StartRecording());
  recorder->AddFrame();
  recorder->StopRecording(true);
  EXPECT_FALSE(FileExists(OutFile("deleted")));
  try {
    recorder->StopRecording(false);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), SAviNotCreated);
  }
}

TEST_F(AviRecorder, AnExistingFileNamedInFilenameIsReplacedWithoutAQuestion) {
  Make(320, 192);
  const std::string file = OutFile("replaced");
  {
    std::ofstream old(file, std::ios::binary | std::ios::trunc);
    old << "not an avi file";
  }
  TSaveDialogResponder responder;
  recorder->SetFilename(file);
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  recorder->AddFrame();
  recorder->StopRecording(false);
  EXPECT_EQ(responder.dialogs, 0);
  EXPECT_TRUE(responder.boxes.empty());
  EXPECT_EQ(ReadAvi(file).frames.size(), 1u);
}

TEST_F(AviRecorder, WithoutAFilenameTheSaveDialogAsksAndTheOverwriteQuestionDecides) {
  Make(320, 192);
  const TDXDrawOptions before = form->DXDraw1->Options();
  TSaveDialogResponder responder;

  // Cancelled: not recording, display options back.
  EXPECT_FALSE(recorder->StartRecording());
  EXPECT_EQ(responder.dialogs, 1);
  EXPECT_EQ(responder.filter, "AVI Files (*.avi)|*.avi");
  EXPECT_EQ(responder.defaultExt, "avi");
  EXPECT_TRUE(responder.options.Contains(ofHideReadOnly));
  EXPECT_TRUE(responder.options.Contains(ofNoReadOnlyReturn));
  EXPECT_FALSE(recorder->Recording());
  EXPECT_EQ(form->DXDraw1->Options(), before);
  EXPECT_TRUE(form->DXDraw1->Initialized());

  // A new file: no question.
  const std::string file = OutFile("asked");
  DeleteFileA(file.c_str());
  responder.fileName = file;
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  recorder->AddFrame();
  recorder->StopRecording(false);
  EXPECT_TRUE(responder.boxes.empty());

  // The file now exists: No keeps it untouched.
  responder.answer = IDNO;
  EXPECT_FALSE(recorder->StartRecording());
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_EQ(responder.boxes[0].text, "Overwrite file " + file + "?");
  EXPECT_EQ(responder.boxes[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_FALSE(recorder->Recording());
  EXPECT_EQ(ReadAvi(file).frames.size(), 1u);

  // Yes replaces it.
  responder.answer = IDYES;
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  recorder->AddFrame();
  recorder->AddFrame();
  recorder->StopRecording(false);
  EXPECT_EQ(responder.boxes.size(), 2u);
  EXPECT_EQ(ReadAvi(file).frames.size(), 2u);
  ExpectFromFfprobe(file, {"codec_name=rawvideo|codec_type=video|width=320|height=240|r_frame_rate=25/1|nb_read_frames=2"});
}

TEST_F(AviRecorder, OneRecordingAtATime) {
  Make(320, 192);
  recorder->SetFilename(OutFile("first"));
  ASSERT_TRUE(recorder->StartRecording());
  RecorderPtr second(new TDXAviRec(nullptr));
  second->SetDXDraw(form->DXDraw1);
  second->SetAVIAudio(false);
  second->SetAutoVideo(false);
  second->SetFilename(OutFile("second"));
  EXPECT_FALSE(second->StartRecording());
  EXPECT_FALSE(second->Recording());
  EXPECT_FALSE(FileExists(OutFile("second")));
  recorder->AddFrame();
  recorder->StopRecording(true);
}

TEST_F(AviRecorder, ARecorderFreedWhileRecordingClosesItsFileAndTheControlForgetsIt) {
  Make(320, 192);
  recorder->SetFilename(OutFile("freed"));
  ASSERT_TRUE(recorder->StartRecording());
  recorder->AddFrame();
  recorder.reset();
  EXPECT_FALSE(form->DXDraw1->Options().Contains(doEmulationOnly));
  EXPECT_EQ(ReadAvi(OutFile("freed")).frames.size(), 1u);
  // A recorder whose display control goes first loses its reference to it.
  recorder.reset(new TDXAviRec(nullptr));
  recorder->SetDXDraw(form->DXDraw1);
  form.reset();
  EXPECT_EQ(recorder->DXDraw(), nullptr);
  DeleteFileA(OutFile("freed").c_str());
}

// What the program's end does with a recording never stopped: every resource the
// recording holds is given back, and the file closed whole.
TEST_F(AviRecorder, ReleasingTheStateGivesBackEverythingARecordingHolds) {
  FakeSoundCapture::Install();
  Make(320, 192);
  recorder->SetAVIAudio(true);
  recorder->SetAutoVideo(true);
  recorder->SetFilename(OutFile("released"));
  ASSERT_TRUE(recorder->StartRecording()) << recorder->SetupError();
  recorder->AddFrame();
  TAviRecordingState& state = AviRecording();
  ASSERT_NE(state.frameTimer, 0u);
  ASSERT_NE(state.audioStream, nullptr);

  state.Release();
  EXPECT_EQ(recorder->CaptureStream(), nullptr);
  EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 0);
  EXPECT_EQ(FakeSoundCapture::LiveDevices(), 0);
  EXPECT_EQ(state.audioBuffer, nullptr);
  EXPECT_EQ(state.frameTimer, 0u);
  EXPECT_FALSE(state.timerPeriodRaised);
  EXPECT_EQ(state.frameEvent, nullptr);
  EXPECT_EQ(state.frameDIB, nullptr);
  EXPECT_EQ(state.surfaceDIB, nullptr);
  EXPECT_EQ(state.videoStream, nullptr);
  EXPECT_EQ(state.compressedStream, nullptr);
  EXPECT_EQ(state.audioStream, nullptr);
  EXPECT_EQ(state.aviFile, nullptr);
  EXPECT_FALSE(state.compressOptionsFromDialog);
  EXPECT_FALSE(state.aviFileInit);
  // Nothing holds the file any more, and it holds the frame.
  HANDLE file = CreateFileA(OutFile("released").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  EXPECT_GE(ReadAvi(OutFile("released")).frames.size(), 1u);
  // A second release finds nothing to give back; the stop still restores the display.
  state.Release();
  recorder->StopRecording(true);
  EXPECT_FALSE(form->DXDraw1->Options().Contains(doEmulationOnly));
  EXPECT_FALSE(FileExists(OutFile("released")));
}

}  // namespace
