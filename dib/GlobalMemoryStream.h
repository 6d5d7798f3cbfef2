// TGlobalMemoryStream: a read stream over a global memory block that someone else owns
// (the clipboard's data), locked for the stream's lifetime.
#pragma once

#include <windows.h>

#include "forms/core/Streams.h"

class TGlobalMemoryStream : public TMemoryStream {
public:
  explicit TGlobalMemoryStream(HANDLE handle);
  ~TGlobalMemoryStream() override;

private:
  HANDLE handle_;
  bool locked_ = false;
};
