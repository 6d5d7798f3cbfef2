// TDirectX and the library cache behind LoadDirectXProc.
#include "display/DXClass.h"

#include "forms/runtime/Module.h"
#include "forms/core/StringList.h"

void TDirectX::SetDXResult(HRESULT value) {
  dxResult_.store(value);
  if (value != 0) DoDXResult();
}

namespace {

TStringList* libraryCache = nullptr;

void FreeDirectXLibraries() {
  TStringList* cache = libraryCache;
  libraryCache = nullptr;
  if (!cache) return;
  for (int i = cache->Count() - 1; i >= 0; --i) FreeLibrary(static_cast<HMODULE>(cache->Objects(i)));
  cache->Free();
}

// The cache is freed in the class library's finish order, after every component.
struct Registration {
  Registration() { RegisterDirectXLibraryFinalization(); }
} registration;

}  // namespace

void RegisterDirectXLibraryFinalization() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  AddFinalization(&FreeDirectXLibraries);
}

const TStringList* DirectXLibraryCache() { return libraryCache; }

FARPROC LoadDirectXProc(const std::string& libraryName, const std::string& procName) {
  if (!libraryCache) libraryCache = new TStringList();
  const std::string key = LowerCase(libraryName);
  HMODULE module = nullptr;
  const int index = libraryCache->IndexOf(key);
  if (index >= 0) {
    module = static_cast<HMODULE>(libraryCache->Objects(index));
  } else {
    module = LoadLibraryA(libraryName.c_str());
    if (!module) throw Exception(SDXLibraryNotLoaded, libraryName);
    libraryCache->AddObject(key, module);
  }
  FARPROC proc = GetProcAddress(module, procName.c_str());
  if (!proc) throw Exception(SDXLibraryNotLoaded, libraryName);
  return proc;
}
