// The stand-in capture device and its circular buffer.
#include "tests/display/FakeSoundCapture.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "display/DXSounds.h"

namespace {

FakeSoundCaptureSettings settings;
FakeCaptureRecord record;
std::atomic<int> liveDevices{0};
std::atomic<int> liveBuffers{0};
std::atomic<DWORD> manualCursor{0};

class FakeBuffer final : public IDirectSoundCaptureBuffer {
public:
  FakeBuffer(DWORD bytes, const WAVEFORMATEX& format) : data_(bytes), format_(format) {
    for (DWORD i = 0; i < bytes; ++i) data_[i] = FakeSoundCapture::Pattern(i);
    ++liveBuffers;
  }
  HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDirectSoundCaptureBuffer) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return ++refs_; }
  ULONG WINAPI Release() override {
    const ULONG r = --refs_;
    if (r == 0) {
      --liveBuffers;
      delete this;
    }
    return r;
  }
  HRESULT WINAPI GetCaps(LPDSCBCAPS) override { return E_NOTIMPL; }
  HRESULT WINAPI GetCurrentPosition(LPDWORD capture, LPDWORD read) override {
    if (settings.positionFails) return DSERR_NODRIVER;
    DWORD position = manualCursor;
    if (settings.realTime) {
      const unsigned long long elapsed = started_ ? GetTickCount() - startTick_ : 0;
      const unsigned long long bytes = elapsed * format_.nAvgBytesPerSec / 1000;
      position = static_cast<DWORD>(bytes % data_.size());
      if (format_.nBlockAlign) position -= position % format_.nBlockAlign;
    }
    if (capture) *capture = position;
    if (read) *read = position;
    return DS_OK;
  }
  HRESULT WINAPI GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
  HRESULT WINAPI GetStatus(LPDWORD status) override {
    if (status) *status = started_ ? DSCBSTATUS_CAPTURING | DSCBSTATUS_LOOPING : 0;
    return DS_OK;
  }
  HRESULT WINAPI Initialize(LPDIRECTSOUNDCAPTURE, LPCDSCBUFFERDESC) override { return DSERR_ALREADYINITIALIZED; }
  HRESULT WINAPI Lock(DWORD offset, DWORD bytes, LPVOID* p1, LPDWORD l1, LPVOID* p2, LPDWORD l2, DWORD) override {
    ++record.locks;
    if (settings.lockFails || offset >= data_.size() || bytes > data_.size()) return DSERR_INVALIDPARAM;
    const DWORD first = std::min<DWORD>(bytes, static_cast<DWORD>(data_.size()) - offset);
    *p1 = data_.data() + offset;
    *l1 = first;
    if (p2) *p2 = first < bytes ? data_.data() : nullptr;
    if (l2) *l2 = bytes - first;
    if (first < bytes) ++record.twoPartLocks;
    return DS_OK;
  }
  HRESULT WINAPI Start(DWORD flags) override {
    record.startFlags = flags;
    ++record.starts;
    if (settings.startResult != DS_OK) return settings.startResult;
    started_ = true;
    startTick_ = GetTickCount();
    return DS_OK;
  }
  HRESULT WINAPI Stop() override {
    ++record.stops;
    started_ = false;
    return DS_OK;
  }
  HRESULT WINAPI Unlock(LPVOID, DWORD, LPVOID, DWORD) override {
    ++record.unlocks;
    return DS_OK;
  }

private:
  std::atomic<ULONG> refs_{1};
  std::vector<BYTE> data_;
  WAVEFORMATEX format_;
  bool started_ = false;
  DWORD startTick_ = 0;
};

class FakeDevice final : public IDirectSoundCapture {
public:
  FakeDevice() { ++liveDevices; }
  HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDirectSoundCapture) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return ++refs_; }
  ULONG WINAPI Release() override {
    const ULONG r = --refs_;
    if (r == 0) {
      --liveDevices;
      delete this;
    }
    return r;
  }
  HRESULT WINAPI CreateCaptureBuffer(LPCDSCBUFFERDESC desc, LPDIRECTSOUNDCAPTUREBUFFER* out, LPUNKNOWN) override {
    *out = nullptr;
    record = FakeCaptureRecord{};
    record.descSize = desc->dwSize;
    record.descFlags = desc->dwFlags;
    record.bufferBytes = desc->dwBufferBytes;
    record.reserved = desc->dwReserved;
    if (desc->lpwfxFormat) record.format = *desc->lpwfxFormat;
    if (settings.createBufferResult != DS_OK) return settings.createBufferResult;
    *out = new FakeBuffer(desc->dwBufferBytes, record.format);
    return DS_OK;
  }
  HRESULT WINAPI GetCaps(LPDSCCAPS) override { return E_NOTIMPL; }
  HRESULT WINAPI Initialize(LPCGUID) override { return DSERR_ALREADYINITIALIZED; }

private:
  std::atomic<ULONG> refs_{1};
};

HRESULT WINAPI FakeCreate(LPCGUID, LPDIRECTSOUNDCAPTURE* out, LPUNKNOWN) {
  if (settings.createThrows) throw std::runtime_error("no capture library");
  *out = nullptr;
  if (settings.createResult != DS_OK) return settings.createResult;
  *out = new FakeDevice();
  return DS_OK;
}

}  // namespace

void FakeSoundCapture::Install() {
  settings = FakeSoundCaptureSettings{};
  record = FakeCaptureRecord{};
  manualCursor = 0;
  SetSoundCaptureEntryPoint(&FakeCreate);
}

void FakeSoundCapture::Uninstall() { SetSoundCaptureEntryPoint(nullptr); }
FakeSoundCaptureSettings& FakeSoundCapture::Settings() { return settings; }
const FakeCaptureRecord& FakeSoundCapture::LastBuffer() { return record; }
void FakeSoundCapture::SetReadCursor(DWORD position) { manualCursor = position; }
int FakeSoundCapture::LiveDevices() { return liveDevices; }
int FakeSoundCapture::LiveBuffers() { return liveBuffers; }
