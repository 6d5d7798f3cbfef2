// The AVI recorder component: its properties and size rules, the frame request window
// and its timer, frames taken from the display control, and the sound track's writes.
// Starting and stopping a recording are in DXAVIRecFile.cpp.
#include "display/DXAVIRec.h"

#include <algorithm>
#include <cstdint>

#include "dib/DIB.h"
#include "display/DXAVIRecState.h"
#include "display/DXDraw.h"
#include "display/DXMediaConsts.h"
#include "display/DXSounds.h"
#include "forms/runtime/Application.h"
#include "forms/runtime/UtilityWindow.h"

TDXAviRec::TDXAviRec(TComponent* owner) : TComponent(owner) {
  frameWindow_ = AllocateHWnd(MakeEvent(this, &TDXAviRec::FrameWindowProc));
}

TDXAviRec::~TDXAviRec() {
  if (recording_ && AviRecording().owner == this) {
    try {
      CloseRecording(false);
    } catch (...) {
    }
  }
  DeallocateHWnd(frameWindow_);
  frameWindow_ = nullptr;
}

void TDXAviRec::SetDXDraw(TCustomDXDraw* value) {
  if (value == dxDraw_) return;
  if (dxDraw_) RemoveFreeNotification(dxDraw_);
  dxDraw_ = value;
  if (dxDraw_) FreeNotification(dxDraw_);
}

void TDXAviRec::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == dxDraw_) dxDraw_ = nullptr;
}

int TDXAviRec::BlockSize() const {
  switch (sizeRestriction_) {
    case srForceBlock8x8: return 8;
    case srForceBlock16x16: return 16;
    case srForceBlock32x32: return 32;
    default: return 1;
  }
}

int TDXAviRec::RoundToBlock(int value) const { return value / BlockSize() * BlockSize(); }

bool TDXAviRec::FrameFits(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1 || width > INT32_MAX || height > INT32_MAX) return false;
  // Rows of a 24-bit DIB are padded to 4 bytes.
  const std::int64_t row = (width * 3 + 3) / 4 * 4;
  return row <= INT32_MAX / height;
}

void TDXAviRec::SetWidth(int value) {
  if (recording_ || value == width_ || value <= 0) return;
  width_ = RoundToBlock(value);
}

void TDXAviRec::SetHeight(int value) {
  if (recording_ || value == height_ || value <= 0) return;
  height_ = RoundToBlock(value);
}

void TDXAviRec::SetSizeRestriction(TAVISizeRestriction value) {
  if (value == sizeRestriction_) return;
  sizeRestriction_ = value;
  height_ = RoundToBlock(height_);
  width_ = RoundToBlock(width_);
}

void CALLBACK TDXAviRec::AviTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
  TAviRecordingState& state = AviRecording();
  if (state.timerStopping) return;
  WaitForSingleObject(state.frameEvent, 5000);
  if (state.timerStopping) return;
  PostMessageA(state.frameWindow, WM_DXAVIREC_FRAME, 0, 0);
}

void TDXAviRec::FrameWindowProc(TMessage& message) {
  if (message.Msg != WM_DXAVIREC_FRAME) {
    message.Result = DefWindowProcA(frameWindow_, message.Msg, message.WParam, message.LParam);
    return;
  }
  TAviRecordingState& state = AviRecording();
  // A request that was on its way when the recording closed finds nothing to do.
  if (!recording_ || state.owner != this || !state.frameEvent) return;
  AddFrame();
  Application->ProcessMessages();
  // The messages just handled may have closed the recording and its event.
  if (recording_ && state.owner == this && state.frameEvent) SetEvent(state.frameEvent);
}

void TDXAviRec::AddFrame() {
  if (!recording_) return;
  if (!dxDraw_) throw EAssertionFailed(SAssertionFailure);
  TAviRecordingState& state = AviRecording();
  if (state.owner != this || !state.frameDIB) return;

  TDIB* frame = state.frameDIB;
  const RECT frameRect{0, 0, frame->Width(), frame->Height()};
  TDirectDrawSurface* surface = dxDraw_->Surface();
  if (surface) {
    const RECT surfaceRect = surface->ClientRect();
    const bool staged = surface->Width() > width_ || surface->Height() > height_;
    {
      TSurfaceCanvasScope scope(surface);
      if (staged) {
        TDIB* staging = state.surfaceDIB;
        const RECT stagingRect{0, 0, staging->Width(), staging->Height()};
        staging->Canvas()->CopyRect(stagingRect, scope.Canvas(), surfaceRect);
      } else {
        frame->Canvas()->CopyRect(frameRect, scope.Canvas(), surfaceRect);
      }
    }
    if (staged) frame->Canvas()->StretchDraw(frameRect, state.surfaceDIB);
  }

  LONG written = 0;
  const HRESULT hr = AVIStreamWrite(state.compressedStream, frameCount_, 1, frame->PBits(), frame->Size(),
                                    AVIIF_KEYFRAME, nullptr, &written);
  if (hr != 0) throw Exception(SAviAddFrameError);
  ++frameCount_;
  bytesWritten_ += written;
}

TSoundCaptureStream* TDXAviRec::CaptureStream() const {
  const TAviRecordingState& state = AviRecording();
  return state.owner == this ? state.captureStream : nullptr;
}

void TDXAviRec::GetAudioData(TObject*) {
  TAviRecordingState& state = AviRecording();
  TSoundCaptureStream* capture = CaptureStream();
  if (!recording_ || !capture || !state.audioBuffer) return;
  // Whole sample frames only, and no more than the buffer holds: the rest waits for
  // the next notification.
  int n = std::min(capture->GetFilledSize(), kAviAudioBufferSize);
  n -= n % static_cast<int>(state.audioFormat.nBlockAlign);
  if (n <= 0) return;
  capture->ReadBuffer(state.audioBuffer, n);
  if (!state.audioStream) return;
  LONG written = 0;
  const LONG samples = n / 4;
  // Written at the stream's own end. Where AVIFile counts the samples by their size
  // that is AudioPosition; Wine's counts one per write and refuses any other start.
  const LONG end = AVIStreamStart(state.audioStream) + AVIStreamLength(state.audioStream);
  if (AVIStreamWrite(state.audioStream, end, samples, state.audioBuffer, n, AVIIF_KEYFRAME, nullptr, &written) != 0)
    throw Exception(SAviAddFrameError);
  state.audioPosition += samples;
  bytesWritten_ += written;
}
