// The stand-in Direct3D: one object with the IDirect3D to IDirect3D3 and IDirect3D7
// interfaces. It enumerates the test's devices and makes Wine's software device in
// place of each of them; everything else the display control never calls answers
// E_NOTIMPL.
#include "tests/display/FakeDirect3D.h"

#include <wrl/client.h>

#include "display/DXQuery.h"

using Microsoft::WRL::ComPtr;

namespace {

bool installed = false;
std::vector<FakeDirect3DDevice> devices;
std::vector<std::string> createRequests;

GUID DeviceGUID(size_t index) {
  switch (devices[index].identity) {
    case FakeDirect3DDevice::Reference: return IID_IDirect3DRefDevice;
    case FakeDirect3DDevice::Null: return IID_IDirect3DNullDevice;
    default: return GUID{0x7a5e0000u + static_cast<unsigned>(index), 0x3d3d, 0x4f4f, {1, 2, 3, 4, 5, 6, 7, 8}};
  }
}

// The device asked for, recorded; false when it is one the stand-in cannot make.
bool Requested(REFCLSID guid) {
  for (size_t i = 0; i < devices.size(); ++i) {
    if (IsEqualGUID(guid, DeviceGUID(i))) {
      createRequests.push_back(devices[i].name);
      return !devices[i].createFails;
    }
  }
  createRequests.push_back("?");
  return false;
}

#define QV_CALL HRESULT STDMETHODCALLTYPE

class FakeD3D final : public IDirect3D, public IDirect3D2, public IDirect3D3, public IDirect3D7 {
public:
  explicit FakeD3D(IUnknown* realDDraw) : ddraw_(realDDraw) {}

  QV_CALL QueryInterface(REFIID iid, void** out) override {
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirect3D)) {
      *out = static_cast<IDirect3D*>(this);
    } else if (IsEqualGUID(iid, IID_IDirect3D2)) {
      *out = static_cast<IDirect3D2*>(this);
    } else if (IsEqualGUID(iid, IID_IDirect3D3)) {
      if (FAILED(QueryTo(ddraw_.Get(), IID_IDirect3D3, real3_))) return E_NOINTERFACE;
      *out = static_cast<IDirect3D3*>(this);
    } else if (IsEqualGUID(iid, IID_IDirect3D7)) {
      if (FAILED(QueryTo(ddraw_.Get(), IID_IDirect3D7, real7_))) return E_NOINTERFACE;
      *out = static_cast<IDirect3D7*>(this);
    } else {
      return ddraw_->QueryInterface(iid, out);
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  // Shared by IDirect3D to IDirect3D3: the DirectX 6 descriptions of the test's devices.
  QV_CALL EnumDevices(LPD3DENUMDEVICESCALLBACK callback, void* context) override {
    for (size_t i = 0; i < devices.size(); ++i) {
      const FakeDirect3DDevice& d = devices[i];
      D3DDEVICEDESC hw{}, hel{};
      hw.dwSize = hel.dwSize = sizeof hw;
      D3DDEVICEDESC& used = d.hardware ? hw : hel;
      used.dwFlags = D3DDD_COLORMODEL | D3DDD_DEVICERENDERBITDEPTH | D3DDD_DEVICEZBUFFERBITDEPTH;
      used.dcmColorModel = d.colorModel;
      used.dwDeviceRenderBitDepth = d.renderDepths;
      used.dwDeviceZBufferBitDepth = d.zBufferDepths;
      GUID guid = DeviceGUID(i);
      std::string name = d.name, description = d.name + " device";
      if (callback(&guid, description.data(), name.data(), &hw, &hel, context) == D3DENUMRET_CANCEL) break;
    }
    return D3D_OK;
  }
  QV_CALL CreateLight(IDirect3DLight**, IUnknown*) override { return E_NOTIMPL; }
  QV_CALL FindDevice(D3DFINDDEVICESEARCH*, D3DFINDDEVICERESULT*) override { return E_NOTIMPL; }

  // IDirect3D.
  QV_CALL Initialize(REFCLSID) override { return E_NOTIMPL; }
  QV_CALL CreateMaterial(IDirect3DMaterial**, IUnknown*) override { return E_NOTIMPL; }
  QV_CALL CreateViewport(IDirect3DViewport**, IUnknown*) override { return E_NOTIMPL; }

  // IDirect3D2.
  QV_CALL CreateMaterial(IDirect3DMaterial2**, IUnknown*) override { return E_NOTIMPL; }
  QV_CALL CreateViewport(IDirect3DViewport2**, IUnknown*) override { return E_NOTIMPL; }
  QV_CALL CreateDevice(REFCLSID, IDirectDrawSurface*, IDirect3DDevice2**) override { return E_NOTIMPL; }

  // IDirect3D3.
  QV_CALL CreateMaterial(IDirect3DMaterial3**, IUnknown*) override { return E_NOTIMPL; }
  QV_CALL CreateViewport(IDirect3DViewport3**, IUnknown*) override { return E_NOTIMPL; }
  QV_CALL CreateDevice(REFCLSID guid, IDirectDrawSurface4* surface, IDirect3DDevice3** out, IUnknown* outer) override {
    *out = nullptr;
    if (!Requested(guid)) return DDERR_INVALIDPARAMS;
    return real3_->CreateDevice(IID_IDirect3DRGBDevice, surface, out, outer);
  }
  QV_CALL CreateVertexBuffer(D3DVERTEXBUFFERDESC*, IDirect3DVertexBuffer**, DWORD, IUnknown*) override {
    return E_NOTIMPL;
  }
  // Shared by IDirect3D3 and IDirect3D7.
  QV_CALL EnumZBufferFormats(REFCLSID, LPD3DENUMPIXELFORMATSCALLBACK, void*) override { return E_NOTIMPL; }
  QV_CALL EvictManagedTextures() override { return E_NOTIMPL; }

  // IDirect3D7.
  QV_CALL EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) override {
    for (size_t i = 0; i < devices.size(); ++i) {
      const FakeDirect3DDevice& d = devices[i];
      D3DDEVICEDESC7 desc{};
      desc.dwDevCaps = d.hardware ? D3DDEVCAPS_HWRASTERIZATION : 0;
      desc.dwDeviceRenderBitDepth = d.renderDepths;
      desc.dwDeviceZBufferBitDepth = d.zBufferDepths;
      desc.deviceGUID = DeviceGUID(i);
      std::string name = d.name, description = d.name + " device";
      if (callback(description.data(), name.data(), &desc, context) == D3DENUMRET_CANCEL) break;
    }
    return D3D_OK;
  }
  QV_CALL CreateDevice(REFCLSID guid, IDirectDrawSurface7* surface, IDirect3DDevice7** out) override {
    *out = nullptr;
    if (!Requested(guid)) return DDERR_INVALIDPARAMS;
    return real7_->CreateDevice(IID_IDirect3DRGBDevice, surface, out);
  }
  QV_CALL CreateVertexBuffer(D3DVERTEXBUFFERDESC*, IDirect3DVertexBuffer7**, DWORD) override { return E_NOTIMPL; }

private:
  ComPtr<IUnknown> ddraw_;
  ComPtr<IDirect3D3> real3_;
  ComPtr<IDirect3D7> real7_;
  volatile LONG refs_ = 1;
};

#undef QV_CALL

}  // namespace

void FakeDirect3D::Install(std::vector<FakeDirect3DDevice> list) {
  installed = true;
  devices = std::move(list);
  createRequests.clear();
}

void FakeDirect3D::Uninstall() { installed = false; }
bool FakeDirect3D::Installed() { return installed; }
std::vector<FakeDirect3DDevice>& FakeDirect3D::Devices() { return devices; }
std::vector<std::string>& FakeDirect3D::CreateRequests() { return createRequests; }

bool FakeDirect3D::Answers(REFIID iid) {
  return IsEqualGUID(iid, IID_IDirect3D) || IsEqualGUID(iid, IID_IDirect3D2) || IsEqualGUID(iid, IID_IDirect3D3) ||
         IsEqualGUID(iid, IID_IDirect3D7);
}

HRESULT FakeDirect3D::Query(IUnknown* realDDraw, REFIID iid, void** out) {
  *out = nullptr;
  auto* d3d = new FakeD3D(realDDraw);
  const HRESULT hr = static_cast<IDirect3D*>(d3d)->QueryInterface(iid, out);
  static_cast<IDirect3D*>(d3d)->Release();
  return hr;
}
