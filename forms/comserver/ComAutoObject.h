// COM objects of the server: TComObject (the interlocked reference count, counting
// itself with the server, the safe-call convention) and TAutoObject<Intf>, which
// implements IDispatch of a dual interface from the type library and reports a failed
// call to automation clients as an OLE exception. TAutoObjectFactoryOf<T> makes them.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "forms/comserver/ComFactory.h"
#include "forms/comserver/ComObj.h"

class TComObject : public TObject {
public:
  TComObjectFactory& Factory() const { return factory_; }

protected:
  // Starts with one reference, owned by whoever made the object.
  explicit TComObject(TComObjectFactory& factory);
  ~TComObject() override;

  ULONG DoAddRef();
  ULONG DoRelease();  // frees the object with its last reference

  // Runs a method body under the safe-call convention: any exception becomes a failing
  // HRESULT with error information for the client, and the caller never sees it.
  template <class F>
  HRESULT SafeCall(F&& body) {
    try {
      body();
      return S_OK;
    } catch (...) {
      return SafeCallException();
    }
  }
  // Call from a catch block: the HRESULT for the exception, with SetErrorInfo done.
  HRESULT SafeCallException();
  // The interface that error information names (IID_NULL for a plain COM object).
  virtual const IID& ErrorIID() { return IID_NULL; }

  // The last exception that SafeCallException turned into a result, kept for Invoke.
  struct TFault {
    bool raised = false;
    HRESULT code = S_OK;
    std::string message;
  };
  TFault fault_;

private:
  TComObjectFactory& factory_;
  volatile LONG refCount_ = 1;
};

// The IDispatch of an automation object, without the interface's own type.
class TAutoObjectBase : public TComObject {
public:
  TAutoObjectFactory& AutoFactory() const { return autoFactory_; }

protected:
  explicit TAutoObjectBase(TAutoObjectFactory& factory);
  const IID& ErrorIID() override { return autoFactory_.DispIntfIID(); }

  HRESULT AutoGetTypeInfoCount(UINT* count);
  HRESULT AutoGetTypeInfo(UINT index, ITypeInfo** info);
  HRESULT AutoGetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids);
  // Calls the method through the vtable at instance, as the type library describes it.
  HRESULT AutoInvoke(void* instance, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr);
  HRESULT AutoSupportsErrorInfo(REFIID riid);

private:
  TAutoObjectFactory& autoFactory_;
};

// Intf is the dual interface that the class's methods implement.
template <class Intf>
class TAutoObject : public TAutoObjectBase, public Intf, public ISupportErrorInfo {
public:
  using Interface = Intf;

  IUnknown* Unknown() { return static_cast<Intf*>(this); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, __uuidof(Intf)) || IsEqualIID(riid, AutoFactory().DispIntfIID())) {
      *object = static_cast<Intf*>(this);
    } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    DoAddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return DoAddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return DoRelease(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return AutoGetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    return AutoGetTypeInfo(index, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return AutoGetIDsOfNames(riid, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override {
    return AutoInvoke(static_cast<Intf*>(this), id, riid, flags, params, result, excepInfo, argErr);
  }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
    return AutoSupportsErrorInfo(riid);
  }

protected:
  explicit TAutoObject(TAutoObjectFactory& factory) : TAutoObjectBase(factory) {}
};

// The factory of the automation class T (a TAutoObject with a constructor taking the
// factory).
template <class T>
class TAutoObjectFactoryOf : public TAutoObjectFactory {
public:
  using TAutoObjectFactory::TAutoObjectFactory;

  IUnknown* CreateComObject() override {
    LoadTypeInfo();
    return (new T(*this))->Unknown();
  }
};
