// AddFinalization and FinalizeUnits.
#include "forms/runtime/Module.h"

#include <vector>

#include "forms/runtime/Application.h"
#include "forms/windows/Forms.h"

namespace {
std::vector<void (*)()>& Finalizations() {
  static std::vector<void (*)()> list;
  return list;
}
}  // namespace

void AddFinalization(void (*finalize)()) { Finalizations().push_back(finalize); }

void FinalizeUnits() {
  FreeAndNil(Application);
  FreeAndNil(Screen);
  auto& list = Finalizations();
  while (!list.empty()) {
    void (*finalize)() = list.back();
    list.pop_back();
    finalize();
  }
}
