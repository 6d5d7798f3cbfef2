// The floor of the DirectX wrappers: TDirectX, which keeps the result of the last
// DirectX call, and LoadDirectXProc, which binds DirectX entry points by library name
// at first use so that the programs start on machines without DirectX. The driver
// list is in DXDrivers.h.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "display/DXErrors.h"
#include "forms/core/Persistent.h"

class TStringList;

class TDirectX : public TPersistent {
public:
  // The HRESULT of the last DirectX call made through this wrapper; 0 is success.
  HRESULT DXResult() const { return dxResult_.load(); }
  // Stores Value; a nonzero value is reported to DoDXResult.
  void SetDXResult(HRESULT value);

protected:
  // The one place where every failed DirectX call of a wrapper passes. Nothing
  // overrides it in the programs.
  virtual void DoDXResult() {}

private:
  // Written by the main thread and the palette animation's threads alike.
  std::atomic<HRESULT> dxResult_{0};
};

// The entry point ProcName of LibraryName. The library is loaded once per program,
// whatever the case of the name, and freed at the program's finish. A library that
// cannot be loaded, or that lacks the entry, raises Exception "%s not loaded" with
// LibraryName.
FARPROC LoadDirectXProc(const std::string& libraryName, const std::string& procName);

// LoadDirectXProc typed as the entry point's function type.
template <class F>
F LoadDirectXProcAs(const std::string& libraryName, const std::string& procName) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(LoadDirectXProc(libraryName, procName)));
}

// The loaded libraries: lower-cased names with their module handles as objects; nil
// before the first LoadDirectXProc. For tests.
const TStringList* DirectXLibraryCache();

// Makes sure the libraries are freed after everything that registers its own
// finalisation after this call. Called by the layers that keep DirectX objects in
// program-wide state (the driver list).
void RegisterDirectXLibraryFinalization();
