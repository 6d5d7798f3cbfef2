// A stand-in Direct3D for what Wine does not offer: device lists of the test's choice
// (hardware and software devices, other colour models and render depths, the
// reference and null devices) and devices that cannot be made. It answers the Direct3D
// queries of the stand-in DirectDraw (FakeDirectDraw.h); every device it does make is
// Wine's real software device on the real surface.
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

#include <string>
#include <vector>

struct FakeDirect3DDevice {
  enum Identity { Own, Reference, Null };
  std::string name;
  // DirectX 6: the hardware description holds the colour model (else the emulation
  // one does); DirectX 7: the capabilities hold D3DDEVCAPS_HWRASTERIZATION.
  bool hardware = false;
  D3DCOLORMODEL colorModel = D3DCOLOR_RGB;
  DWORD renderDepths = DDBD_16 | DDBD_24 | DDBD_32;
  DWORD zBufferDepths = DDBD_16;
  Identity identity = Own;
  // CreateDevice for it fails with DDERR_INVALIDPARAMS.
  bool createFails = false;
};

class FakeDirect3D {
public:
  // Needs the stand-in DirectDraw installed; replaces the device list and the records.
  static void Install(std::vector<FakeDirect3DDevice> devices);
  static void Uninstall();
  static bool Installed();
  static std::vector<FakeDirect3DDevice>& Devices();
  // The names of the devices asked for by CreateDevice, in order.
  static std::vector<std::string>& CreateRequests();

  // Whether Iid is one of the Direct3D interfaces the stand-in answers.
  static bool Answers(REFIID iid);
  // The stand-in's Direct3D object over the real DirectDraw object RealDDraw.
  static HRESULT Query(IUnknown* realDDraw, REFIID iid, void** out);
};
