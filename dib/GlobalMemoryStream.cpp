// The global-memory read stream (see GlobalMemoryStream.h).
#include "dib/GlobalMemoryStream.h"

TGlobalMemoryStream::TGlobalMemoryStream(HANDLE handle) : handle_(handle) {
  void* memory = handle_ ? GlobalLock(handle_) : nullptr;
  locked_ = memory != nullptr;
  // A handle that cannot be locked reads as an empty stream.
  SetPointer(memory, locked_ ? static_cast<long long>(GlobalSize(handle_)) : 0);
}

TGlobalMemoryStream::~TGlobalMemoryStream() {
  SetPointer(nullptr, 0);
  if (locked_) GlobalUnlock(handle_);
}
