// The DIB component (see DXDIB.h).
#include "dib/DXDIB.h"

TCustomDXDIB::TCustomDXDIB(TComponent* owner) : TComponent(owner), dib_(New<TDIB>()) {}

TCustomDXDIB::~TCustomDXDIB() { dib_->Free(); }
