// TCustomDXDIB / TDXDIB: a non-visual component that owns one TDIB, so that a picture
// can be designed into a form and read from there.
#pragma once

#include "dib/DIB.h"
#include "forms/core/Component.h"

class TCustomDXDIB : public TComponent {
public:
  explicit TCustomDXDIB(TComponent* owner);
  ~TCustomDXDIB() override;

  TDIB* DIB() const { return dib_; }
  // Shares the value's image (TDIB.Assign).
  void SetDIB(TDIB* value) { dib_->Assign(value); }

private:
  TDIB* dib_;
};

class TDXDIB : public TCustomDXDIB {
public:
  using TCustomDXDIB::TCustomDXDIB;
};
