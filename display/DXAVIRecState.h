// The state of the one open recording, shared by the recorder's two source files. It
// is program-wide: one recording at a time in the whole program.
#pragma once

#include <windows.h>
#include <vfw.h>

#include <atomic>
#include <string>

#include "display/DXDrawOptions.h"

class TDIB;
class TDXAviRec;

struct TAviRecordingState {
  TDXAviRec* owner = nullptr;  // the recorder whose recording is open
  bool aviFileInit = false;
  PAVIFILE aviFile = nullptr;
  PAVISTREAM videoStream = nullptr;
  PAVISTREAM compressedStream = nullptr;
  PAVISTREAM audioStream = nullptr;
  std::string recordFileName;
  TDIB* frameDIB = nullptr;
  TDIB* surfaceDIB = nullptr;
  // The frame timer's side: the event that keeps one request outstanding, the window
  // the requests go to, and the flag that tells a tick in flight to post nothing more.
  HANDLE frameEvent = nullptr;
  UINT frameTimer = 0;
  bool timerPeriodRaised = false;
  HWND frameWindow = nullptr;
  std::atomic<bool> timerStopping{false};
  BYTE* audioBuffer = nullptr;
  LONG audioPosition = 0;
  bool optionsSaved = false;
  TDXDrawOptions savedOptions;
  AVISTREAMINFOA videoInfo{};
  AVISTREAMINFOA audioInfo{};
  WAVEFORMATEX audioFormat{};
  AVICOMPRESSOPTIONS compressOptions{};
  bool compressOptionsFromDialog = false;
};

TAviRecordingState& AviRecording();

// The size of one second of the audio track: 44100 Hz, 16 bits, stereo.
constexpr int kAviAudioBufferSize = 176400;
