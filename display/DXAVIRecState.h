// The state of the one open recording, shared by the recorder's source files. It is
// program-wide: one recording at a time in the whole program. It owns every resource a
// recording holds; Release gives back whatever of them is held, so that a stop, a failed
// start and the program's end all leave nothing behind.
#pragma once

#include <windows.h>
#include <vfw.h>

#include <atomic>
#include <string>

#include "display/DXDrawOptions.h"

class TDIB;
class TDXAviRec;
class TSoundCaptureStream;

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
  TSoundCaptureStream* captureStream = nullptr;
  BYTE* audioBuffer = nullptr;
  LONG audioPosition = 0;
  bool optionsSaved = false;
  TDXDrawOptions savedOptions;
  AVISTREAMINFOA videoInfo{};
  AVISTREAMINFOA audioInfo{};
  WAVEFORMATEX audioFormat{};
  AVICOMPRESSOPTIONS compressOptions{};
  bool compressOptionsFromDialog = false;

  // Stops the capture and the frame timer, then frees the bitmaps and releases the
  // streams, the file, the chosen codec's options and AVIFile itself, each only if held.
  // The display control's options and the owner are the recorder's to restore; the file
  // name stays, as the last recording's.
  void Release();
};

TAviRecordingState& AviRecording();

// The size of one second of the audio track: 44100 Hz, 16 bits, stereo.
constexpr int kAviAudioBufferSize = 176400;
// The timer resolution, in ms, while a recording's frame timer runs.
constexpr UINT kAviTimerResolution = 2;
