// Class factories: TComObjectFactory (IClassFactory, registration with COM by instancing,
// the class's registry entries as a local server) and TAutoObjectFactory, which takes
// the class's names, its default interface and its ProgID from the server's type
// library. TAutoObjectFactoryOf<T> (ComAutoObject.h) makes the objects of one class.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <string>

#include "forms/core/Object.h"

class TComServer;

// How COM may hand out objects of the class: not at all (internal), one per server
// process (the next client starts another process), or many from one process.
enum TClassInstancing { ciInternal, ciSingleInstance, ciMultiInstance };
// The threading model; written to the registry only by in-process servers.
enum TThreadingModel { tmSingle, tmApartment, tmFree, tmBoth, tmNeutral };

class TComObjectFactory : public TObject, public IClassFactory {
public:
  // The factory adds itself to the server, which frees it when it is finalised.
  TComObjectFactory(TComServer& server, const CLSID& classID, std::string className,
                    std::string description, TClassInstancing instancing,
                    TThreadingModel threadingModel);
  ~TComObjectFactory() override;

  // The factory lives as long as its server: COM's references never free it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  // A new object of the class holding one reference for the caller; raises on failure.
  virtual IUnknown* CreateComObject() = 0;
  // Writes (or removes) the class's entries under HKEY_CLASSES_ROOT.
  virtual void UpdateRegistry(bool doRegister);

  // CoRegisterClassObject as a local server by the instancing; suspended registrations
  // wait for CoResumeClassObjects. Internal classes register nothing.
  void RegisterClassObject(bool suspended);
  void RevokeClassObject();
  bool ClassObjectRegistered() const { return cookie_ != 0; }

  TComServer& Server() const { return server_; }
  const CLSID& ClassID() const { return classID_; }
  virtual std::string ClassName();
  virtual std::string Description();
  virtual std::string ProgID();  // "" for a class without one
  TClassInstancing Instancing() const { return instancing_; }
  TThreadingModel ThreadingModel() const { return threadingModel_; }

protected:
  std::string className_;
  std::string description_;

private:
  TComServer& server_;
  CLSID classID_;
  TClassInstancing instancing_;
  TThreadingModel threadingModel_;
  DWORD cookie_ = 0;
};

class TAutoObjectFactory : public TComObjectFactory {
public:
  TAutoObjectFactory(TComServer& server, const CLSID& classID, TClassInstancing instancing,
                     TThreadingModel threadingModel);

  // From the type library (loaded on first use; raises when it or the class is missing).
  std::string ClassName() override;    // the coclass's name
  std::string Description() override;  // the coclass's help string
  std::string ProgID() override;       // library name + "." + coclass name
  // The default interface: the dispatch side that clients see, the vtable side that
  // Invoke calls, and its IID.
  ITypeInfo* DispTypeInfo();
  ITypeInfo* InterfaceTypeInfo();
  const IID& DispIntfIID();
  // Loads the type information; objects are only made once it stands.
  void LoadTypeInfo();

  void UpdateRegistry(bool doRegister) override;

private:
  Microsoft::WRL::ComPtr<ITypeInfo> classInfo_;
  Microsoft::WRL::ComPtr<ITypeInfo> dispInfo_;
  Microsoft::WRL::ComPtr<ITypeInfo> interfaceInfo_;
  IID dispIntfIID_ = IID_NULL;
};
