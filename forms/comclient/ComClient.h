// The automation client's side of COM: the main thread's apartment, entered when the
// program starts and left among the last finalisations, and automation objects created
// by their ProgID.
#pragma once

#include <string>

#include "forms/comclient/OleVariant.h"

// Enters a single-threaded apartment on the calling (main) thread, once; FinalizeUnits
// leaves it after every finalisation registered later. A thread already in another kind
// of apartment stays as it is (creation then fails with COM's own error).
void InitComObj();

// Creates the automation object registered under className (a ProgID, matched without
// regard to case) in or out of process, and returns it as a VT_DISPATCH variant. An
// unknown class or a server that cannot be started raises EOleSysError. A creation that
// reaches a server process that has ended is made once more.
TOleVariant CreateOleObject(const std::string& className);
