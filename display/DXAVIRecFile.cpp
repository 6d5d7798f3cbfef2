// Starting and stopping a recording: the file dialog, the AVI file with its video and
// audio streams, the frame timer, sound capture and the display control's switch to
// software emulation, and the program-wide state they live in.
#include <algorithm>
#include <cstring>
#include <new>

#include "dib/DIB.h"
#include "display/DXAVIRec.h"
#include "display/DXAVIRecState.h"
#include "display/DXConsts.h"
#include "display/DXDraw.h"
#include "display/DXMediaConsts.h"
#include "display/DXSounds.h"
#include "forms/runtime/Application.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/runtime/Thread.h"

#if defined(__i386__)
static_assert(sizeof(AVISTREAMINFOA) == 140, "AVISTREAMINFO as the 32-bit platform has it");
static_assert(sizeof(AVICOMPRESSOPTIONS) == 44, "AVICOMPRESSOPTIONS as the 32-bit platform has it");
#endif
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is packed");

namespace {

constexpr HRESULT kNoCompressor = static_cast<HRESULT>(0x80044071);
constexpr LONG kDefaultQuality = 9200;
const char kConfirmCaption[] = "Confirm";
const char kAlreadyRecording[] = "An AVI file is already being recorded";
const char kFrameTimer[] = "Frame Timer";

TAVISaveOptionsProc replacedSaveOptions = nullptr;

// Codecs may change the x87 control word; every start of a recording ends with the
// program's own again, whichever way it leaves.
struct DefaultControlWordOnExit {
  ~DefaultControlWordOnExit() { Set8087CW(Default8087CW); }
};

AVICOMPRESSOPTIONS DefaultCompressOptions() {
  AVICOMPRESSOPTIONS o;
  std::memset(&o, 0, sizeof o);
  o.fccType = streamtypeVIDEO;
  o.fccHandler = mmioFOURCC('M', 'S', 'V', 'C');
  o.dwQuality = kDefaultQuality;
  return o;
}

bool SetFrameFormat(PAVISTREAM stream) {
  TDIB* frame = AviRecording().frameDIB;
  return AVIStreamSetFormat(stream, 0, const_cast<BITMAPINFO*>(frame->BitmapInfo()), frame->BitmapInfoSize()) == 0;
}

}  // namespace

void SetAVISaveOptionsProc(TAVISaveOptionsProc proc) { replacedSaveOptions = proc; }

const std::string& TDXAviRec::RecordFileName() { return AviRecording().recordFileName; }

void TDXAviRec::SwitchOffAcceleration() {
  TAviRecordingState& state = AviRecording();
  dxDraw_->Finalize();
  state.savedOptions = dxDraw_->Options();
  state.optionsSaved = true;
  try {
    dxDraw_->SetOptions(state.savedOptions + TDXDrawOptions{doEmulationOnly});
    dxDraw_->Initialize();
  } catch (...) {
    // The control goes back to what it had, and is shown again if it can be.
    state.optionsSaved = false;
    dxDraw_->SetOptions(state.savedOptions);
    try {
      dxDraw_->Initialize();
    } catch (...) {
    }
    throw;
  }
}

void TDXAviRec::RestoreAcceleration() {
  TAviRecordingState& state = AviRecording();
  if (!state.optionsSaved) return;
  state.optionsSaved = false;
  if (!dxDraw_ || dxDraw_->ComponentState().Contains(csDestroying)) return;
  dxDraw_->Finalize();
  dxDraw_->SetOptions(state.savedOptions);
  dxDraw_->Initialize();
}

bool TDXAviRec::SettleFileName() {
  TAviRecordingState& state = AviRecording();
  state.recordFileName = filename_;
  if (!state.recordFileName.empty()) return true;
  auto* dialog = new TSaveDialog(Application);
  bool settled = false;
  try {
    dialog->Options = TOpenOptions{ofHideReadOnly, ofNoReadOnlyReturn};
    dialog->DefaultExt = "avi";
    dialog->Filter = SAviFilter;
    if (dialog->Execute()) {
      state.recordFileName = dialog->FileName;
      settled = !state.recordFileName.empty();
      if (settled && FileExists(state.recordFileName))
        settled = Application->MessageBox(Format(SAviOverwrite, state.recordFileName), kConfirmCaption,
                                          MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
  } catch (...) {
    dialog->Free();
    throw;
  }
  dialog->Free();
  if (!settled) state.recordFileName.clear();
  return settled;
}

bool TDXAviRec::StartRecording() {
  DefaultControlWordOnExit controlWord;
  if (!dxDraw_) throw EAssertionFailed(SAssertionFailure);
  setupError_.clear();
  TAviRecordingState& state = AviRecording();
  if (state.owner) {
    setupError_ = kAlreadyRecording;
    return false;
  }

  state.owner = this;
  try {
    if (turnOffHWAccel_) SwitchOffAcceleration();
  } catch (...) {
    state.owner = nullptr;
    throw;
  }
  bytesWritten_ = 0;
  frameCount_ = 0;
  state.audioPosition = 0;
  recording_ = true;

  bool settled = false;
  try {
    settled = SettleFileName();
  } catch (...) {
    CloseRecording(false);
    throw;
  }
  if (!settled) {
    CloseRecording(false);
    return false;
  }

  try {
    SetUp();
  } catch (const std::exception& e) {
    setupError_ = e.what();
    CloseRecording(true);
    return false;
  } catch (...) {
    setupError_ = "Unknown exception";
    CloseRecording(true);
    return false;
  }
  return true;
}

void TDXAviRec::SetUp() {
  TAviRecordingState& state = AviRecording();
  AVIFileInit();
  state.aviFileInit = true;
  // A size rounded down to nothing gives no frame to describe or write, one beyond the
  // stream's 32-bit sizes none that can be written: either is refused before the file.
  if (width_ < 1 || height_ < 1) throw Exception(SAviEmptyFrame, width_, height_);
  if (!FrameFits(width_, height_)) throw Exception(SAviFrameTooLarge, width_, height_);
  state.frameDIB = new TDIB();
  state.surfaceDIB = new TDIB();
  try {
    state.frameDIB->SetSize(width_, height_, 24);
  } catch (const EOutOfMemory&) {
    throw Exception(SAviFrameOutOfMemory, width_, height_);
  } catch (const std::bad_alloc&) {
    throw Exception(SAviFrameOutOfMemory, width_, height_);
  }
  state.surfaceDIB->SetSize(std::max(dxDraw_->SurfaceWidth(), 1), std::max(dxDraw_->SurfaceHeight(), 1), 24);

  const char* file = state.recordFileName.c_str();
  if (FileExists(state.recordFileName)) DeleteFileA(file);
  if (AVIFileOpenA(&state.aviFile, file, OF_WRITE | OF_CREATE, nullptr) != 0) {
    state.aviFile = nullptr;
    throw Exception(SAviCannotCreateFile);
  }

  // A rate of 0 frames per second makes a stream that nothing can play, and no timer.
  if (fps_ == 0) throw Exception(SAviCannotCreateStream);
  const BITMAPINFOHEADER& header = state.frameDIB->BitmapInfo()->bmiHeader;
  std::memset(&state.videoInfo, 0, sizeof state.videoInfo);
  state.videoInfo.fccType = streamtypeVIDEO;
  state.videoInfo.fccHandler = 0;
  state.videoInfo.dwScale = 1;
  state.videoInfo.dwRate = fps_;
  state.videoInfo.dwSuggestedBufferSize = static_cast<DWORD>(state.frameDIB->Size());
  state.videoInfo.dwSampleSize = 0;
  SetRect(&state.videoInfo.rcFrame, 0, 0, header.biWidth, header.biHeight);
  if (AVIFileCreateStreamA(state.aviFile, &state.videoStream, &state.videoInfo) != 0) {
    state.videoStream = nullptr;
    throw Exception(SAviCannotCreateStream);
  }

  state.compressOptions = DefaultCompressOptions();
  if (compressor_ == acShowDialog) {
    AVICOMPRESSOPTIONS chosen;
    std::memset(&chosen, 0, sizeof chosen);
    LPAVICOMPRESSOPTIONS options[1] = {&chosen};
    PAVISTREAM streams[1] = {state.videoStream};
    HWND owner = dxDraw_->Parent() ? dxDraw_->Parent()->Handle() : nullptr;
    TAVISaveOptionsProc dialog = replacedSaveOptions ? replacedSaveOptions : &AVISaveOptions;
    if (dialog(owner, ICMF_CHOOSE_KEYFRAME | ICMF_CHOOSE_DATARATE, 1, streams, options)) {
      state.compressOptions = chosen;
      state.compressOptionsFromDialog = true;
    } else {
      // What a cancelled dialog may have allocated is given back at once.
      AVISaveOptionsFree(1, options);
    }
  }

  HRESULT hr = AVIMakeCompressedStream(&state.compressedStream, state.videoStream, &state.compressOptions, nullptr);
  if (hr != 0) state.compressedStream = nullptr;
  bool formatSet = hr == 0 && SetFrameFormat(state.compressedStream);
  if (!formatSet && !state.compressOptionsFromDialog) {
    // The default codec is missing or refuses the frames (Wine's Video 1 cannot
    // compress): the frames go into the file whole, as the video stream takes them,
    // rather than no recording at all. A codec the user chose still fails as it must.
    if (state.compressedStream) AVIStreamRelease(state.compressedStream);
    AVIStreamAddRef(state.videoStream);
    state.compressedStream = state.videoStream;
    hr = 0;
    formatSet = SetFrameFormat(state.compressedStream);
  }
  if (hr != 0) {
    throw Exception(std::string(SAviCannotMakeCompressedStream) + (hr == kNoCompressor ? SAviNoSuchCompressor : ""));
  }
  if (!formatSet) throw Exception(SAviSetFormatError);

  if (autoVideo_) {
    state.frameEvent = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    if (!state.frameEvent) RaiseLastOSError();
    state.frameWindow = frameWindow_;
    state.timerStopping = false;
    state.timerPeriodRaised = timeBeginPeriod(kAviTimerResolution) == TIMERR_NOERROR;
    state.frameTimer = timeSetEvent(1000 / fps_, kAviTimerResolution, &TDXAviRec::AviTimerProc,
                                    reinterpret_cast<DWORD_PTR>(this),
                                    TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (!state.frameTimer) throw Exception(SDXCannotMade, kFrameTimer);
  }

  if (aviAudio_) {
    state.audioBuffer = new BYTE[kAviAudioBufferSize]();
    std::memset(&state.audioFormat, 0, sizeof state.audioFormat);
    MakePCMWaveFormatEx(state.audioFormat, 44100, 16, 2);
    std::memset(&state.audioInfo, 0, sizeof state.audioInfo);
    state.audioInfo.fccType = streamtypeAUDIO;
    state.audioInfo.fccHandler = 0;
    state.audioInfo.dwScale = state.audioFormat.nBlockAlign;
    state.audioInfo.dwRate = state.audioFormat.nAvgBytesPerSec;
    state.audioInfo.dwSuggestedBufferSize = kAviAudioBufferSize;
    state.audioInfo.dwSampleSize = state.audioFormat.nBlockAlign;
    std::strcpy(state.audioInfo.szName, "Audio");
    // A file without its sound track still records its frames; but a track in the file
    // with no format would make the whole file unreadable.
    if (AVIFileCreateStreamA(state.aviFile, &state.audioStream, &state.audioInfo) != 0)
      state.audioStream = nullptr;
    else if (AVIStreamSetFormat(state.audioStream, 0, &state.audioFormat, sizeof state.audioFormat) != 0)
      throw Exception(SAviSetFormatError);
    state.captureStream = new TSoundCaptureStream(nullptr);
    state.captureStream->SetOnFilledBuffer(MakeEvent(this, &TDXAviRec::GetAudioData));
    state.captureStream->CaptureFormat = state.captureStream->Formats()->IndexOf(44100, 16, 2);
    state.captureStream->StartCapture();
  }
}

void TDXAviRec::StopRecording(bool deleteFile) {
  if (!recording_) throw Exception(SAviNotCreated);
  CloseRecording(deleteFile);
}

void TDXAviRec::CloseRecording(bool deleteFile) {
  TAviRecordingState& state = AviRecording();
  state.Release();
  if (deleteFile && !state.recordFileName.empty()) DeleteFileA(state.recordFileName.c_str());
  recording_ = false;
  state.owner = nullptr;
  RestoreAcceleration();
}
