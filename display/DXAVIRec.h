// TDXAviRec: records what a display control shows into an AVI file through AVIFile,
// one 24-bit key frame per request or per tick of its own multimedia timer, with an
// optional PCM track from sound capture (DXSounds.h). The component, its properties,
// frames and sound are in DXAVIRec.cpp; starting and stopping a recording, with the
// program-wide state of the open recording, in DXAVIRecFile.cpp.
#pragma once

#include <windows.h>
#include <vfw.h>

#include <cstdint>
#include <string>

#include "forms/core/Component.h"
#include "forms/windows/Messages.h"
#include "forms/core/SysUtils.h"

class TCustomDXDraw;
class TSoundCaptureStream;

enum TAVICompressor { acDefault, acShowDialog };
enum TAVISizeRestriction { srNoRestriction, srForceBlock8x8, srForceBlock16x16, srForceBlock32x32 };

// The frame request that the recorder's timer posts to its hidden window.
constexpr UINT WM_DXAVIREC_FRAME = 1690;

// The codec dialog (AVISaveOptions by default). A test can put its own in front of it
// to answer for the user; nil brings back the system's.
using TAVISaveOptionsProc = INT_PTR(WINAPI*)(HWND window, UINT flags, int streams, PAVISTREAM* stream,
                                             LPAVICOMPRESSOPTIONS* options);
void SetAVISaveOptionsProc(TAVISaveOptionsProc proc);

class TDXAviRec : public TComponent {
public:
  explicit TDXAviRec(TComponent* owner);
  // A recording still open by this recorder is closed, its file kept.
  ~TDXAviRec() override;

  // False when no file name was settled (dialog cancelled, overwrite refused), when
  // another recording is open, or when setting up the file failed; the recorder is then
  // idle, any partial file deleted and the display options restored, and SetupError
  // holds the failure's message. Always ends by loading the program's default x87
  // control word, which codecs may change.
  bool StartRecording();
  // Closes the recording; with DeleteFile the file is removed. Raises "Cannot close
  // AVI file. AVI file not created." when not recording.
  void StopRecording(bool deleteFile);
  // Writes the display control's back surface as the next frame; nothing when not
  // recording. A failed write raises "Add Frame Error" and counts nothing.
  void AddFrame();
  // The capture stream's data-ready handler: writes what has been captured. A failed
  // write raises "Add Frame Error" and counts nothing, as a frame's does.
  void GetAudioData(TObject* sender);

  std::uint8_t FPS() const { return fps_; }
  void SetFPS(std::uint8_t value) { fps_ = value; }
  TCustomDXDraw* DXDraw() const { return dxDraw_; }
  void SetDXDraw(TCustomDXDraw* value);
  int Width() const { return width_; }
  void SetWidth(int value);
  int Height() const { return height_; }
  void SetHeight(int value);
  const std::string& Filename() const { return filename_; }
  void SetFilename(const std::string& value) { filename_ = value; }
  TAVICompressor Compressor() const { return compressor_; }
  void SetCompressor(TAVICompressor value) { compressor_ = value; }
  TAVISizeRestriction SizeRestriction() const { return sizeRestriction_; }
  void SetSizeRestriction(TAVISizeRestriction value);
  bool AVIAudio() const { return aviAudio_; }
  void SetAVIAudio(bool value) { aviAudio_ = value; }
  bool AutoVideo() const { return autoVideo_; }
  void SetAutoVideo(bool value) { autoVideo_ = value; }
  bool TurnOffHWAccel() const { return turnOffHWAccel_; }
  void SetTurnOffHWAccel(bool value) { turnOffHWAccel_ = value; }

  bool Recording() const { return recording_; }
  int FrameCount() const { return frameCount_; }
  int BytesWritten() const { return bytesWritten_; }
  HWND FrameWindow() const { return frameWindow_; }
  // The sound capture of this recorder's open recording, nil without one.
  TSoundCaptureStream* CaptureStream() const;
  // The file of the open (or last) recording.
  static const std::string& RecordFileName();
  const std::string& SetupError() const { return setupError_; }

  int RoundToBlock(int value) const;
  // The block the sizes are rounded down to (1, 8, 16 or 32): the smallest side a frame has.
  int BlockSize() const;
  // A frame of width x height 24-bit pixels can be written: it has pixels, and their bytes
  // fit the size an AVI stream write takes (a 32-bit signed count).
  static bool FrameFits(std::int64_t width, std::int64_t height);

  void Notification(TComponent* component, TOperation operation) override;

private:
  static void CALLBACK AviTimerProc(UINT timerID, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
  void FrameWindowProc(TMessage& message);
  bool SettleFileName();
  void SetUp();
  void CloseRecording(bool deleteFile);
  void SwitchOffAcceleration();
  void RestoreAcceleration();

  HWND frameWindow_ = nullptr;
  TCustomDXDraw* dxDraw_ = nullptr;
  std::string filename_;
  std::uint8_t fps_ = 25;
  int width_ = 320;
  int height_ = 240;
  TAVISizeRestriction sizeRestriction_ = srForceBlock8x8;
  bool recording_ = false;
  int frameCount_ = 0;
  bool autoVideo_ = true;
  bool aviAudio_ = true;
  bool turnOffHWAccel_ = true;
  int bytesWritten_ = 0;
  TAVICompressor compressor_ = acDefault;
  std::string setupError_;
};
