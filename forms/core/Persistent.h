// TPersistent: objects that can take their value from another object (Assign) or give
// theirs to one (AssignTo); an assignment that neither side knows raises EConvertError.
#pragma once

#include "forms/core/SysUtils.h"

class TPersistent : public TObject {
public:
  // Copies Source into this object. The default asks Source->AssignTo(this), so either
  // side can know the other; nil and unknown pairs raise the conversion error.
  virtual void Assign(TPersistent* source);

protected:
  virtual void AssignTo(TPersistent* dest);

private:
  [[noreturn]] void AssignError(TPersistent* source);
};
