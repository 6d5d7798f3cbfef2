// TComObject's reference count, server counting and safe-call errors, and the
// IDispatch of TAutoObjectBase over the type library's description of the interface.
#include "forms/comserver/ComAutoObject.h"

#include <wrl/client.h>

#include "forms/comserver/ComServ.h"

using Microsoft::WRL::ComPtr;

TComObject::TComObject(TComObjectFactory& factory) : factory_(factory) {
  factory_.Server().CountObject(true);
}

TComObject::~TComObject() { factory_.Server().CountObject(false); }

ULONG TComObject::DoAddRef() { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }

ULONG TComObject::DoRelease() {
  LONG left = InterlockedDecrement(&refCount_);
  if (left == 0) Free();
  return static_cast<ULONG>(left);
}

HRESULT TComObject::SafeCallException() {
  std::string message;
  HRESULT code = CurrentExceptionResult(message);
  fault_.raised = true;
  fault_.code = code;
  fault_.message = message;

  // Error information for clients that bind to the vtable (automation clients get the
  // same text through Invoke's EXCEPINFO).
  try {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
      create->SetGUID(ErrorIID());
      std::wstring source = AnsiToWide(factory_.ProgID());
      std::wstring description = AnsiToWide(message);
      create->SetSource(const_cast<LPOLESTR>(source.c_str()));
      create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
      ComPtr<IErrorInfo> info;
      if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
    }
  } catch (...) {
    // Without error information the client still gets the failing result.
  }
  return code;
}

TAutoObjectBase::TAutoObjectBase(TAutoObjectFactory& factory)
    : TComObject(factory), autoFactory_(factory) {}

HRESULT TAutoObjectBase::AutoGetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT TAutoObjectBase::AutoGetTypeInfo(UINT index, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  ITypeInfo* disp = autoFactory_.DispTypeInfo();
  disp->AddRef();
  *info = disp;
  return S_OK;
}

HRESULT TAutoObjectBase::AutoGetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  return autoFactory_.InterfaceTypeInfo()->GetIDsOfNames(names, count, ids);
}

HRESULT TAutoObjectBase::AutoInvoke(void* instance, DISPID id, REFIID riid, WORD flags,
                                    DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                    UINT* argErr) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  fault_ = TFault();
  HRESULT hr = autoFactory_.InterfaceTypeInfo()->Invoke(instance, id, flags, params, result,
                                                        excepInfo, argErr);
  if (!fault_.raised) return hr;
  TFault fault = fault_;
  fault_ = TFault();
  if (!excepInfo) return fault.code;
  // The type library's Invoke may have reported the failure already from the error
  // information; otherwise the method's result becomes the exception here (the
  // structure holds nothing of ours yet, so nothing is freed).
  if (hr != DISP_E_EXCEPTION) *excepInfo = EXCEPINFO();
  if (excepInfo->scode == 0 && excepInfo->wCode == 0) excepInfo->scode = fault.code;
  try {
    if (!excepInfo->bstrSource) excepInfo->bstrSource = TBStr(autoFactory_.ProgID()).Detach();
    if (!excepInfo->bstrDescription) excepInfo->bstrDescription = TBStr(fault.message).Detach();
  } catch (...) {
    // The exception still carries its code.
  }
  return DISP_E_EXCEPTION;
}

HRESULT TAutoObjectBase::AutoSupportsErrorInfo(REFIID riid) {
  return IsEqualIID(riid, autoFactory_.DispIntfIID()) ? S_OK : S_FALSE;
}
