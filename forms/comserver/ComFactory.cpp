// TComObjectFactory and TAutoObjectFactory: object creation for COM, class-object
// registration and the class's registry entries.
#include "forms/comserver/ComFactory.h"

#include "forms/comserver/ComObj.h"
#include "forms/comserver/ComRegistry.h"
#include "forms/comserver/ComServ.h"

using Microsoft::WRL::ComPtr;

namespace {

// A TYPEATTR released when it goes out of scope.
class TTypeAttr {
public:
  explicit TTypeAttr(ITypeInfo* info) : info_(info) { OleCheck(info->GetTypeAttr(&attr_)); }
  TTypeAttr(const TTypeAttr&) = delete;
  TTypeAttr& operator=(const TTypeAttr&) = delete;
  ~TTypeAttr() { info_->ReleaseTypeAttr(attr_); }
  const TYPEATTR* operator->() const { return attr_; }

private:
  ITypeInfo* info_;
  TYPEATTR* attr_ = nullptr;
};

}  // namespace

TComObjectFactory::TComObjectFactory(TComServer& server, const CLSID& classID, std::string className,
                                     std::string description, TClassInstancing instancing,
                                     TThreadingModel threadingModel)
    : className_(std::move(className)),
      description_(std::move(description)),
      server_(server),
      classID_(classID),
      instancing_(instancing),
      threadingModel_(threadingModel) {
  server_.AddFactory(this);
}

TComObjectFactory::~TComObjectFactory() {
  RevokeClassObject();
  server_.RemoveFactory(this);
}

HRESULT STDMETHODCALLTYPE TComObjectFactory::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TComObjectFactory::AddRef() { return 2; }
ULONG STDMETHODCALLTYPE TComObjectFactory::Release() { return 1; }

HRESULT STDMETHODCALLTYPE TComObjectFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  try {
    IUnknown* created = CreateComObject();
    HRESULT hr = created->QueryInterface(riid, object);
    created->Release();
    return hr;
  } catch (...) {
    std::string message;
    return CurrentExceptionResult(message);
  }
}

HRESULT STDMETHODCALLTYPE TComObjectFactory::LockServer(BOOL lock) {
  server_.CountObject(lock != FALSE);
  return S_OK;
}

std::string TComObjectFactory::ClassName() { return className_; }
std::string TComObjectFactory::Description() { return description_; }
std::string TComObjectFactory::ProgID() { return std::string(); }

void TComObjectFactory::RegisterClassObject(bool suspended) {
  if (instancing_ == ciInternal || cookie_ != 0) return;
  DWORD flags = instancing_ == ciSingleInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
  if (suspended) flags |= REGCLS_SUSPENDED;
  DWORD cookie = 0;
  OleCheck(CoRegisterClassObject(classID_, static_cast<IClassFactory*>(this), CLSCTX_LOCAL_SERVER,
                                 flags, &cookie));
  cookie_ = cookie;
}

void TComObjectFactory::RevokeClassObject() {
  if (cookie_ == 0) return;
  DWORD cookie = cookie_;
  cookie_ = 0;
  // A single-use class object that has served its client may be gone already; the
  // registration is dropped either way.
  CoRevokeClassObject(cookie);
}

void TComObjectFactory::UpdateRegistry(bool doRegister) {
  if (instancing_ == ciInternal) return;
  std::string classKey = "CLSID\\" + GUIDToString(classID_);
  if (doRegister) {
    CreateRegKey(classKey, "", Description());
    CreateRegKey(classKey + "\\LocalServer32", "", server_.LocalServerCommand());
  } else {
    DeleteRegKey(classKey);
  }
}

TAutoObjectFactory::TAutoObjectFactory(TComServer& server, const CLSID& classID,
                                       TClassInstancing instancing, TThreadingModel threadingModel)
    : TComObjectFactory(server, classID, std::string(), std::string(), instancing, threadingModel) {}

void TAutoObjectFactory::LoadTypeInfo() {
  if (interfaceInfo_) return;
  ITypeLib* library = Server().TypeLib();
  ComPtr<ITypeInfo> classInfo;
  HRESULT hr = library->GetTypeInfoOfGuid(ClassID(), &classInfo);
  if (hr == TYPE_E_ELEMENTNOTFOUND) throw EOleError(SNoTypeInfo, GUIDToString(ClassID()));
  OleCheck(hr);

  TBStr name, doc;
  OleCheck(classInfo->GetDocumentation(MEMBERID_NIL, name.Out(), doc.Out(), nullptr, nullptr));

  // The default interface that is not an event source.
  ComPtr<ITypeInfo> dispInfo;
  {
    TTypeAttr attr(classInfo.Get());
    if (attr->typekind != TKIND_COCLASS) throw EOleError(SNoTypeInfo, GUIDToString(ClassID()));
    for (UINT i = 0; i < attr->cImplTypes && !dispInfo; ++i) {
      INT flags = 0;
      OleCheck(classInfo->GetImplTypeFlags(i, &flags));
      if (!(flags & IMPLTYPEFLAG_FDEFAULT) || (flags & IMPLTYPEFLAG_FSOURCE)) continue;
      HREFTYPE ref = 0;
      OleCheck(classInfo->GetRefTypeOfImplType(i, &ref));
      OleCheck(classInfo->GetRefTypeInfo(ref, &dispInfo));
    }
  }
  if (!dispInfo) throw EOleError(SUnsupportedInterface, name.Ansi());

  // Invoke calls the vtable: a dual interface's dispatch side leads to its vtable side.
  ComPtr<ITypeInfo> interfaceInfo;
  IID iid;
  {
    TTypeAttr attr(dispInfo.Get());
    iid = attr->guid;
    if (attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FDUAL)) {
      interfaceInfo = dispInfo;
    } else if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL)) {
      HREFTYPE ref = 0;
      OleCheck(dispInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref));
      OleCheck(dispInfo->GetRefTypeInfo(ref, &interfaceInfo));
    } else {
      throw EOleError(SUnsupportedInterface, name.Ansi());
    }
  }

  className_ = name.Ansi();
  description_ = doc.Ansi();
  classInfo_ = classInfo;
  dispInfo_ = dispInfo;
  dispIntfIID_ = iid;
  interfaceInfo_ = interfaceInfo;
}

std::string TAutoObjectFactory::ClassName() {
  LoadTypeInfo();
  return className_;
}

std::string TAutoObjectFactory::Description() {
  LoadTypeInfo();
  return description_;
}

std::string TAutoObjectFactory::ProgID() {
  LoadTypeInfo();
  return Server().ServerName() + "." + className_;
}

ITypeInfo* TAutoObjectFactory::DispTypeInfo() {
  LoadTypeInfo();
  return dispInfo_.Get();
}

ITypeInfo* TAutoObjectFactory::InterfaceTypeInfo() {
  LoadTypeInfo();
  return interfaceInfo_.Get();
}

const IID& TAutoObjectFactory::DispIntfIID() {
  LoadTypeInfo();
  return dispIntfIID_;
}

void TAutoObjectFactory::UpdateRegistry(bool doRegister) {
  if (Instancing() == ciInternal) return;
  std::string classKey = "CLSID\\" + GUIDToString(ClassID());
  std::string progID = ProgID();
  if (doRegister) {
    TComObjectFactory::UpdateRegistry(true);
    std::string description = Description();
    CreateRegKey(progID, "", description);
    CreateRegKey(progID + "\\Clsid", "", GUIDToString(ClassID()));
    CreateRegKey(classKey + "\\ProgID", "", progID);
    CreateRegKey(classKey + "\\TypeLib", "", GUIDToString(Server().TypeLibID()));
    CreateRegKey(classKey + "\\Version", "", Server().TypeLibVersion());
  } else {
    DeleteRegKey(progID);
    TComObjectFactory::UpdateRegistry(false);
  }
}
