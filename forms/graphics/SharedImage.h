// TSharedImage: the reference-counted image store behind graphics that share their
// pixels between copies (the bitmap library's device-independent images build on it).
#pragma once

#include "forms/core/Object.h"

class TSharedImage : public TObject {
public:
  void Reference() { ++refCount_; }
  // One holder less; the last release frees the image.
  void Release() {
    if (--refCount_ <= 0) Free();
  }
  int RefCount() const { return refCount_; }

protected:
  // Frees the GDI handles the image holds (for a holder that wants them remade).
  virtual void FreeHandle() = 0;

private:
  int refCount_ = 0;
};
