// The sound-capture stream, its notification thread and the capture device's entry point.
#include "display/DXSounds.h"

#include <algorithm>
#include <cstring>

#include "display/DXClass.h"
#include "display/DXMediaConsts.h"
#include "forms/runtime/Application.h"

#if defined(__i386__)
static_assert(sizeof(DSCBUFFERDESC1) == 20, "the capture buffer description as the 32-bit platform has it");
#endif

namespace {

TDirectSoundCaptureCreate replacedEntryPoint = nullptr;

const int kRates[] = {8000, 11025, 22050, 44100, 48000};
const int kBits[] = {8, 16};
const int kChannels[] = {1, 2};

}  // namespace

void SetSoundCaptureEntryPoint(TDirectSoundCaptureCreate entryPoint) { replacedEntryPoint = entryPoint; }

HRESULT CreateSoundCapture(LPCGUID deviceGUID, Microsoft::WRL::ComPtr<IDirectSoundCapture>& captureDevice,
                           LPUNKNOWN outer) {
  captureDevice.Reset();
  try {
    TDirectSoundCaptureCreate create = replacedEntryPoint;
    if (!create) create = LoadDirectXProcAs<TDirectSoundCaptureCreate>(SDSoundLibrary, "DirectSoundCaptureCreate");
    return create(deviceGUID, captureDevice.ReleaseAndGetAddressOf(), outer);
  } catch (...) {
    captureDevice.Reset();
    throw EDirectXError(SDXSinceDirectX5);
  }
}

int TSoundCaptureFormats::IndexOf(int samplesPerSec, int bitsPerSample, int channels) const {
  for (int i = 0; i < Count(); ++i) {
    const TSoundCaptureFormat* f = Items(i);
    if (f->SamplesPerSec == samplesPerSec && f->BitsPerSample == bitsPerSample && f->Channels == channels)
      return i;
  }
  return -1;
}

TSoundCaptureStream::TSoundCaptureStream(LPCGUID deviceGUID) {
  formats_ = new TSoundCaptureFormats();
  try {
    if (CreateSoundCapture(deviceGUID, captureDevice_, nullptr) != 0)
      throw ESoundCaptureStreamError(SDXCannotInitialized, SDirectSoundCapture);
    for (int rate : kRates)
      for (int bits : kBits)
        for (int channels : kChannels) {
          auto* f = static_cast<TSoundCaptureFormat*>(formats_->Add());
          f->SamplesPerSec = rate;
          f->BitsPerSample = bits;
          f->Channels = channels;
        }
  } catch (...) {
    formats_->Free();
    formats_ = nullptr;
    captureDevice_.Reset();
    throw;
  }
}

TSoundCaptureStream::~TSoundCaptureStream() {
  StopCapture();
  FreeAndNil(formats_);
  SetFormatSize(0);
  captureDevice_.Reset();
}

void TSoundCaptureStream::StartCapture() {
  StopCapture();
  capturing_ = true;
  try {
    SetFormatSize(sizeof(WAVEFORMATEX));
    const TSoundCaptureFormat* f = formats_->Items(CaptureFormat);
    WAVEFORMATEX* format = GetFormat();
    MakePCMWaveFormatEx(*format, static_cast<DWORD>(f->SamplesPerSec), static_cast<WORD>(f->BitsPerSample),
                        static_cast<WORD>(f->Channels));
    bufferSize_ = std::max(MulDiv(static_cast<int>(format->nAvgBytesPerSec), bufferLength_, 1000), 8000);

    // The DirectX 7 description: the buffer takes no capture effects.
    DSCBUFFERDESC1 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = 0;
    desc.dwBufferBytes = static_cast<DWORD>(bufferSize_);
    desc.dwReserved = 0;
    desc.lpwfxFormat = format;
    HRESULT hr = captureDevice_->CreateCaptureBuffer(reinterpret_cast<LPCDSCBUFFERDESC>(&desc),
                                                     captureBuffer_.ReleaseAndGetAddressOf(), nullptr);
    if (hr != 0 || !captureBuffer_) throw ESoundCaptureStreamError(SDXCannotMade, SSoundCaptureBuffer);

    readOffset_ = 0;
    hr = captureBuffer_->Start(DSCBSTART_LOOPING);
    if (hr != 0) throw ESoundCaptureStreamError(SDXCannotMade, SSoundCaptureBuffer);
    if (onFilledBuffer_) StartNotifyThread();
  } catch (...) {
    StopCapture();
    throw;
  }
}

void TSoundCaptureStream::StopCapture() {
  // A thread that ended after its handler raised is still held, and goes here too.
  FreeNotifyThread();
  if (!capturing_) return;
  capturing_ = false;
  ReleaseBuffer();
}

void TSoundCaptureStream::ReleaseBuffer() {
  capturing_ = false;
  if (captureBuffer_) {
    captureBuffer_->Stop();
    captureBuffer_.Reset();
  }
}

void TSoundCaptureStream::StartNotifyThread() {
  auto* thread = New<TSoundCaptureStreamNotify>(this);
  notifyThread_ = thread;
  thread->Resume();
}

void TSoundCaptureStream::FreeNotifyThread() { FreeAndNil(notifyThread_); }

int TSoundCaptureStream::QueryFilledSize() {
  if (!captureBuffer_) return -1;
  DWORD capturePosition = 0, readPosition = 0;
  if (captureBuffer_->GetCurrentPosition(&capturePosition, &readPosition) != 0) return -1;
  if (readOffset_ <= readPosition) return static_cast<int>(readPosition - readOffset_);
  return bufferSize_ - static_cast<int>(readOffset_) + static_cast<int>(readPosition);
}

int TSoundCaptureStream::GetFilledSize() { return std::max(QueryFilledSize(), 0); }

int TSoundCaptureStream::ReadWave(void* buffer, int count) {
  if (count <= 0) return 0;
  if (!capturing_) StartCapture();
  auto* out = static_cast<BYTE*>(buffer);
  int copied = 0;
  DWORD lastProgress = GetTickCount();
  while (copied < count) {
    const int filled = QueryFilledSize();
    if (filled < 0) break;
    const int n = std::min(count - copied, filled);
    if (n <= 0) {
      // A device that has stopped delivering would keep the caller here for ever.
      if (GetTickCount() - lastProgress > static_cast<DWORD>(bufferLength_)) break;
      Sleep(1);
      continue;
    }
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD length1 = 0, length2 = 0;
    if (captureBuffer_->Lock(readOffset_, static_cast<DWORD>(n), &part1, &length1, &part2, &length2, 0) != 0)
      break;
    // Never more than was asked for, whatever lengths the driver reports.
    const DWORD take1 = part1 ? std::min<DWORD>(length1, static_cast<DWORD>(n)) : 0;
    const DWORD take2 = part2 ? std::min<DWORD>(length2, static_cast<DWORD>(n) - take1) : 0;
    if (take1) std::memcpy(out + copied, part1, take1);
    if (take2) std::memcpy(out + copied + take1, part2, take2);
    captureBuffer_->Unlock(part1, length1, part2, length2);
    copied += static_cast<int>(take1 + take2);
    readOffset_ = static_cast<DWORD>((static_cast<unsigned long long>(readOffset_) + take1 + take2) %
                                     static_cast<unsigned long long>(bufferSize_));
    if (take1 + take2 == 0) break;
    lastProgress = GetTickCount();
  }
  if (copied < count) {
    const WAVEFORMATEX* format = GetFormat();
    const int silence = format && format->wBitsPerSample == 8 ? 128 : 0;
    std::memset(out + copied, silence, static_cast<size_t>(count - copied));
  }
  return count;
}

void TSoundCaptureStream::SetOnFilledBuffer(TNotifyEvent handler) {
  if (handler == onFilledBuffer_) return;
  if (!capturing_) {
    onFilledBuffer_ = handler;
    return;
  }
  if (onFilledBuffer_) FreeNotifyThread();
  onFilledBuffer_ = handler;
  if (onFilledBuffer_ && !notifyThread_) StartNotifyThread();
}

void TSoundCaptureStream::DoFilledBuffer() {
  if (onFilledBuffer_) onFilledBuffer_(this);
}

TSoundCaptureStreamNotify::TSoundCaptureStreamNotify(TSoundCaptureStream* stream)
    : TThread(true), stream_(stream), waitTime_(static_cast<DWORD>(std::min(stream->BufferLength() / 4, 50))) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!event) RaiseLastOSError();
  stream_->notifyEvent_ = event;
  // The stream frees this thread, also after it has ended by itself, so that no
  // destruction on this thread races one on the main thread.
  SetFreeOnTerminate(false);
}

TSoundCaptureStreamNotify::~TSoundCaptureStreamNotify() {
  SetFreeOnTerminate(false);
  HANDLE event = stream_->notifyEvent_;
  if (event) SetEvent(event);
  // Waited for here, before the event it may still be waiting on is closed.
  if (!Finished()) {
    Terminate();
    while (Suspended()) Resume();
    WaitFor();
  }
  if (event) CloseHandle(event);
  stream_->notifyEvent_ = nullptr;
  if (stream_->notifyThread_ == this) stream_->notifyThread_ = nullptr;
}

void TSoundCaptureStreamNotify::Execute() {
  for (;;) {
    if (WaitForSingleObject(stream_->notifyEvent_, waitTime_) != WAIT_TIMEOUT) return;
    Synchronize(MakeEvent(this, &TSoundCaptureStreamNotify::NotifyFilled));
  }
}

void TSoundCaptureStreamNotify::NotifyFilled() {
  try {
    if (stream_->GetFilledSize() > 0) stream_->DoFilledBuffer();
  } catch (const Exception&) {
    Application->HandleException(this);
    SetEvent(stream_->notifyEvent_);
    // Stopped here on the main thread rather than by this thread's own destruction:
    // the stream may be reading its buffer meanwhile. The ended thread is freed by the
    // stream's next StopCapture, StartCapture or destruction.
    stream_->ReleaseBuffer();
  }
}
