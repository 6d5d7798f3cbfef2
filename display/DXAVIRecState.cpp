// The open recording's resources and their release.
#include "display/DXAVIRecState.h"

#include "dib/DIB.h"
#include "display/DXSounds.h"
#include "forms/runtime/Module.h"

namespace {

// A recording never stopped when the program ends.
void FinalizeAviRecording() {
  TAviRecordingState& state = AviRecording();
  state.Release();
  state.recordFileName.clear();
}

struct Registration {
  Registration() { AddFinalization(&FinalizeAviRecording); }
} registration;

}  // namespace

TAviRecordingState& AviRecording() {
  static TAviRecordingState state;
  return state;
}

void TAviRecordingState::Release() {
  if (captureStream) {
    captureStream->StopCapture();
    FreeAndNil(captureStream);
  }
  delete[] audioBuffer;
  audioBuffer = nullptr;

  if (frameTimer) {
    // A tick waiting for the previous frame is woken and posts nothing more; the
    // synchronous kill lets no tick run after it.
    timerStopping = true;
    if (frameEvent) SetEvent(frameEvent);
    timeKillEvent(frameTimer);
    frameTimer = 0;
  }
  if (timerPeriodRaised) {
    timeEndPeriod(kAviTimerResolution);
    timerPeriodRaised = false;
  }
  if (frameEvent) {
    CloseHandle(frameEvent);
    frameEvent = nullptr;
  }
  frameWindow = nullptr;

  if (frameDIB) FreeAndNil(frameDIB);
  if (surfaceDIB) FreeAndNil(surfaceDIB);
  if (videoStream) AVIStreamRelease(videoStream);
  if (compressedStream) AVIStreamRelease(compressedStream);
  if (audioStream) AVIStreamRelease(audioStream);
  if (aviFile) AVIFileRelease(aviFile);
  videoStream = compressedStream = audioStream = nullptr;
  aviFile = nullptr;
  if (compressOptionsFromDialog) {
    LPAVICOMPRESSOPTIONS options[1] = {&compressOptions};
    AVISaveOptionsFree(1, options);
    compressOptionsFromDialog = false;
  }
  if (aviFileInit) {
    AVIFileExit();
    aviFileInit = false;
  }
}
