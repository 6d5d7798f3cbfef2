// DispatchInvoke: the name's dispatch identifier, the parameters in IDispatch's reverse
// order, the call, and its failure turned into the library's OLE exceptions.
#include "forms/comclient/DispatchInvoke.h"

#include <wrl/client.h>

#include <vector>

#include "forms/comserver/ComConsts.h"
#include "forms/comserver/ComObj.h"

using Microsoft::WRL::ComPtr;

namespace {

// Frees the strings of an EXCEPINFO that a call filled in.
struct TExcepInfo {
  EXCEPINFO info{};
  ~TExcepInfo() {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
};

[[noreturn]] void RaiseDispatchException(TExcepInfo& excep) {
  EXCEPINFO& e = excep.info;
  if (e.pfnDeferredFillIn) e.pfnDeferredFillIn(&e);
  // A code of the object's own (wCode) has no HRESULT; it reports as a plain failure.
  const HRESULT code = e.scode != 0 ? e.scode : E_FAIL;
  std::string message = WideToAnsi(e.bstrDescription);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  if (message.empty()) message = OleErrorMessage(code);
  throw EOleException(message, code, WideToAnsi(e.bstrSource), WideToAnsi(e.bstrHelpFile), e.dwHelpContext);
}

}  // namespace

TDispArg TDispArg::ByRef(TOleVariant& variable) {
  TDispArg arg;
  arg.ref_ = &variable;
  return arg;
}

VARIANT TDispArg::Param() const {
  if (!ref_) return value_.Value();
  VARIANT param;
  VariantInit(&param);
  V_VT(&param) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&param) = &ref_->Value();
  return param;
}

TOleVariant DispatchInvoke(const TOleVariant& object, const std::string& name,
                           std::initializer_list<TDispArg> args) {
  // Our own reference: the call may pump messages, and a handler run meanwhile may let
  // go of the variant's.
  ComPtr<IDispatch> dispatch(object.AsDispatch());

  std::wstring wideName = AnsiToWide(name);
  LPOLESTR names[] = {&wideName[0]};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (hr == DISP_E_UNKNOWNNAME) throw EOleSysError(Format(SNoMethod, name.c_str()), hr);
  OleCheck(hr);

  // The parameters are shallow copies of the arguments, which own their values for the
  // length of the call; IDispatch takes them last first.
  std::vector<VARIANT> params;
  params.reserve(args.size());
  for (auto it = args.end(); it != args.begin();) params.push_back((--it)->Param());
  DISPPARAMS dispParams{params.data(), nullptr, static_cast<UINT>(params.size()), 0};

  VARIANT result;
  VariantInit(&result);
  TExcepInfo excep;
  UINT argErr = 0;
  hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dispParams, &result,
                        &excep.info, &argErr);
  if (hr == DISP_E_EXCEPTION) {
    VariantClear(&result);
    RaiseDispatchException(excep);
  }
  if (FAILED(hr)) {
    VariantClear(&result);
    throw EOleSysError(hr);
  }
  return TOleVariant::Take(result);
}
