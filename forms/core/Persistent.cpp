// TPersistent's assignment protocol and its conversion error.
#include "forms/core/Persistent.h"

void TPersistent::Assign(TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  std::string sourceName = source ? source->ClassName() : std::string("nil");
  throw EConvertError(SAssignError, sourceName, ClassName());
}
