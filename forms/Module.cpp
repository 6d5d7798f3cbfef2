// AddFinalization and FinalizeUnits.
#include "forms/Module.h"

#include <vector>

#include "forms/Application.h"
#include "forms/Forms.h"

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
