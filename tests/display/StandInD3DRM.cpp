// A stand-in "D3DRM.dll" for the retained-mode failures Wine's library does not
// produce, chosen by the environment variable QV_D3DRM_STANDIN at each call: "refuse"
// makes Direct3DRMCreate fail; "old" gives an object of a retained mode older than
// DirectX 5, which has no IDirect3DRM2 (it answers only IUnknown).
#include <windows.h>

#include <cstring>

namespace {

class OldRetainedMode final : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (!IsEqualGUID(iid, IID_IUnknown)) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

private:
  volatile LONG refs_ = 1;
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI Direct3DRMCreate(IUnknown** result) {
  char mode[16] = "";
  GetEnvironmentVariableA("QV_D3DRM_STANDIN", mode, sizeof mode);
  *result = nullptr;
  if (std::strcmp(mode, "old") != 0) return E_FAIL;
  *result = new OldRetainedMode();
  return S_OK;
}
