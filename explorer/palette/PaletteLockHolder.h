// Holds the colour-table lock PaletteLock for a scope, so that every writer of the
// display control's colour table leaves it on every path.
#pragma once

#include "explorer/app/ExplorerState.h"

class TPaletteLockHolder {
public:
  TPaletteLockHolder() { EnterCriticalSection(&PaletteLock); }
  ~TPaletteLockHolder() { LeaveCriticalSection(&PaletteLock); }
  TPaletteLockHolder(const TPaletteLockHolder&) = delete;
  TPaletteLockHolder& operator=(const TPaletteLockHolder&) = delete;
};
