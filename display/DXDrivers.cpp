// The DirectDraw driver list and the rule for keeping driver identifiers.
#include "display/DXDrivers.h"

#include <ddraw.h>

#include <exception>

#include "display/DXClass.h"
#include "forms/runtime/Module.h"

GUID* KeepDriverGUID(const GUID* given, GUID& storage) {
  if (given && !IsBadHugeReadPtr(given, sizeof(GUID))) {
    storage = *given;
    return &storage;
  }
  return const_cast<GUID*>(given);
}

namespace {

TDirectXDrivers* driverList = nullptr;

void FreeDriverList() { FreeAndNil(driverList); }

struct EnumContext {
  TDirectXDrivers* list;
  std::exception_ptr failure;
};

// An exception must not unwind through DirectDraw's frames: it is kept, enumeration
// stops, and it is raised again once DirectDrawEnumerateA has returned.
BOOL WINAPI EnumDriver(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context) {
  auto* c = static_cast<EnumContext*>(context);
  try {
    auto* driver = static_cast<TDirectXDriver*>(c->list->Add());
    driver->SetGUID(guid);
    driver->SetDescription(description ? description : "");
    driver->SetDriverName(driverName ? driverName : "");
  } catch (...) {
    c->failure = std::current_exception();
    return FALSE;
  }
  return TRUE;
}

// The list goes at the finish, before the libraries it was enumerated from.
struct Registration {
  Registration() {
    RegisterDirectXLibraryFinalization();
    AddFinalization(&FreeDriverList);
  }
} registration;

}  // namespace

TDirectXDrivers* DirectDrawDriverList() {
  if (driverList) return driverList;
  driverList = new TDirectXDrivers();
  try {
    auto enumerate = LoadDirectXProcAs<HRESULT(WINAPI*)(LPDDENUMCALLBACKA, LPVOID)>(
        SDDrawLibrary, "DirectDrawEnumerateA");
    EnumContext context{driverList, nullptr};
    enumerate(&EnumDriver, &context);  // its result tells nothing the list does not
    if (context.failure) std::rethrow_exception(context.failure);
  } catch (...) {
    FreeAndNil(driverList);
    throw;
  }
  return driverList;
}
