// Sound capture as a wave stream: TSoundCaptureStream reads a DirectSoundCapture
// buffer as PCM bytes, with TSoundCaptureStreamNotify telling the main thread when
// captured bytes wait. DirectSoundCapture is bound from "DSound.dll" at first use.
// The stream base classes are in Wave.h.
#pragma once

#include <windows.h>
#include <mmreg.h>
#include <dsound.h>
#include <wrl/client.h>

#include "display/Wave.h"
#include "forms/core/Collection.h"
#include "forms/core/Events.h"
#include "forms/runtime/Thread.h"

QV_EXCEPTION(ESoundCaptureStreamError, EWaveStreamError);

// The entry point through which capture devices are made. By default it is bound from
// "DSound.dll" at first use; a test can put a stand-in device in front of it (nil brings
// back the default).
using TDirectSoundCaptureCreate = HRESULT(WINAPI*)(LPCGUID guid, LPDIRECTSOUNDCAPTURE* result, LPUNKNOWN outer);
void SetSoundCaptureEntryPoint(TDirectSoundCaptureCreate entryPoint);

// Sets CaptureDevice to nil and makes the device; returns DirectSoundCaptureCreate's
// result. A missing library or entry point, or an exception on the way, raises
// EDirectXError "Necessary since DirectX 5".
HRESULT CreateSoundCapture(LPCGUID deviceGUID, Microsoft::WRL::ComPtr<IDirectSoundCapture>& captureDevice,
                           LPUNKNOWN outer);

class TSoundCaptureFormat : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  int BitsPerSample = 0;
  int Channels = 0;
  int SamplesPerSec = 0;
};

class TSoundCaptureFormats : public TCollection {
public:
  TSoundCaptureFormats() : TCollection(CollectionItemClass<TSoundCaptureFormat>()) {}
  TSoundCaptureFormat* Items(int index) const { return ItemsAs<TSoundCaptureFormat>(index); }
  // The first item with these three values, else -1.
  int IndexOf(int samplesPerSec, int bitsPerSample, int channels) const;
};

class TSoundCaptureStreamNotify;

class TSoundCaptureStream : public TCustomWaveStream2 {
public:
  // DeviceGUID nil: the default capture device. A device that cannot be made raises
  // ESoundCaptureStreamError "DirectSoundCapture cannot be initialized".
  explicit TSoundCaptureStream(LPCGUID deviceGUID);
  ~TSoundCaptureStream() override;

  // Starts a new, empty capture buffer in Formats[CaptureFormat]; with a handler, the
  // notification thread as well. A buffer that cannot be made raises
  // ESoundCaptureStreamError "Sound Capture Buffer cannot be made" after StopCapture.
  void StartCapture();
  void StopCapture();

  // Captured bytes not read yet (0 when the buffer cannot tell or there is none).
  int GetFilledSize() override;
  // Exactly Count bytes: what has been captured, waited for, and silence for what does
  // not come (a failed lock, a cursor that cannot be read, or a device that stops
  // delivering for BufferLength milliseconds).
  int ReadWave(void* buffer, int count) override;

  const TNotifyEvent& OnFilledBuffer() const { return onFilledBuffer_; }
  // Replacing a handler while capturing keeps the capture going with the new one.
  void SetOnFilledBuffer(TNotifyEvent handler);

  // The index into Formats that the next StartCapture uses.
  int CaptureFormat = 0;
  TSoundCaptureFormats* Formats() const { return formats_; }
  bool Capturing() const { return capturing_; }
  int BufferLength() const { return bufferLength_; }
  int BufferSize() const { return bufferSize_; }
  DWORD ReadOffset() const { return readOffset_; }
  IDirectSoundCapture* CaptureDevice() const { return captureDevice_.Get(); }
  IDirectSoundCaptureBuffer* CaptureBuffer() const { return captureBuffer_.Get(); }
  TSoundCaptureStreamNotify* NotifyThread() const { return notifyThread_; }
  HANDLE NotifyEvent() const { return notifyEvent_; }

protected:
  virtual void DoFilledBuffer();

private:
  friend class TSoundCaptureStreamNotify;
  // The read cursor's distance from ReadOffset, or -1 when the cursor cannot be read.
  int QueryFilledSize();
  void StartNotifyThread();
  void FreeNotifyThread();
  // Stops and releases the buffer, leaving the notification thread alone.
  void ReleaseBuffer();

  Microsoft::WRL::ComPtr<IDirectSoundCaptureBuffer> captureBuffer_;
  int bufferLength_ = 1000;
  DWORD readOffset_ = 0;
  int bufferSize_ = 0;
  Microsoft::WRL::ComPtr<IDirectSoundCapture> captureDevice_;
  bool capturing_ = false;
  HANDLE notifyEvent_ = nullptr;
  TSoundCaptureStreamNotify* notifyThread_ = nullptr;
  TNotifyEvent onFilledBuffer_;
  TSoundCaptureFormats* formats_ = nullptr;
};

// Wakes every WaitTime milliseconds and has the main thread look for captured bytes.
// It ends when its event is signalled: by its destruction, or after a handler raised.
class TSoundCaptureStreamNotify : public TThread {
public:
  explicit TSoundCaptureStreamNotify(TSoundCaptureStream* stream);
  ~TSoundCaptureStreamNotify() override;

  TSoundCaptureStream* Stream() const { return stream_; }
  DWORD WaitTime() const { return waitTime_; }

protected:
  void Execute() override;

private:
  void NotifyFilled();

  TSoundCaptureStream* stream_;
  DWORD waitTime_;
};
