// InitComObj and CreateOleObject.
#include "forms/ComClient.h"

#include <wrl/client.h>

#include "forms/ComObj.h"
#include "forms/Module.h"

using Microsoft::WRL::ComPtr;

namespace {

void LeaveApartment() { CoUninitialize(); }

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
  OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&object)));
  return TOleVariant(object.Get());
}
