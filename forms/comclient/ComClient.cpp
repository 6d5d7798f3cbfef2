// InitComObj and CreateOleObject.
#include "forms/comclient/ComClient.h"

#include <wrl/client.h>

#include "forms/comserver/ComObj.h"
#include "forms/runtime/Module.h"

using Microsoft::WRL::ComPtr;

namespace {

void LeaveApartment() { CoUninitialize(); }

// The answers of a class object whose server process has ended.
bool ServerGone(HRESULT hr) {
  return hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) ||
         hr == RPC_E_DISCONNECTED;
}

}  // namespace

void InitComObj() {
  static bool entered = false;
  if (entered) return;
  entered = true;
  if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) AddFinalization(&LeaveApartment);
}

TOleVariant CreateOleObject(const std::string& className) {
  std::wstring progID = AnsiToWide(className);
  CLSID clsid{};
  OleCheck(CLSIDFromProgID(progID.c_str(), &clsid));
  ComPtr<IDispatch> object;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&object));
  // A server that was killed can leave its class object registered (Wine's rpcss keeps
  // it); the first creation then reaches the dead process and fails, after which COM
  // has dropped the registration and starts a new server.
  if (ServerGone(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&object));
  OleCheck(hr);
  return TOleVariant(object.Get());
}
