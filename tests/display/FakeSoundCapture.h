// A stand-in sound-capture device: no capture device exists here, so the capture paths
// run against this one, put in front of DirectSoundCaptureCreate through the capture
// stream's entry-point seam. Its buffer holds a known byte pattern and its read cursor
// is set by the test or follows the clock like a real device.
#pragma once

#include <windows.h>
#include <mmreg.h>
#include <dsound.h>

#include <vector>

struct FakeSoundCaptureSettings {
  // DirectSoundCaptureCreate's result; with createThrows the entry point raises, as a
  // failed binding does.
  HRESULT createResult = DS_OK;
  bool createThrows = false;
  HRESULT createBufferResult = DS_OK;
  HRESULT startResult = DS_OK;
  bool lockFails = false;
  bool positionFails = false;
  // The read cursor advances with the time since Start at the format's byte rate, in
  // whole sample frames; otherwise it stays where SetReadCursor put it.
  bool realTime = false;
};

struct FakeCaptureRecord {
  DWORD descSize = 0, descFlags = 0, bufferBytes = 0, reserved = 0;
  WAVEFORMATEX format{};
  DWORD startFlags = 0;
  int starts = 0, stops = 0, locks = 0, twoPartLocks = 0, unlocks = 0;
};

class FakeSoundCapture {
public:
  static void Install();  // fresh settings and records
  static void Uninstall();
  static FakeSoundCaptureSettings& Settings();
  // The last buffer made, and what it was asked.
  static const FakeCaptureRecord& LastBuffer();
  static void SetReadCursor(DWORD position);
  static int LiveDevices();
  static int LiveBuffers();
  // The byte at a position of the circular buffer.
  static BYTE Pattern(DWORD position) { return static_cast<BYTE>((position * 7 + 3) & 0xFF); }
};
