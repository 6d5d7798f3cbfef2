// The palette editor's start-up as an automation server: the server object's start
// step (registration and removal end the program at once with an exit code) and the
// binding of the automation objects to the main window, whose palette they edit and
// whose close asks first while objects are alive. The object itself: Tintarycom.h.
#pragma once

#include <cstdint>

#include "forms/Events.h"

class TCustomForm;

// Runs the start step. False when the program must end now, with exitCode: 0 after a
// registration or removal, 1 when the registry could not be updated or when COM started
// the program and its class factory could not be registered. A standalone editor whose
// factory cannot be registered shows the error and runs on without serving.
bool TintaryServerStart(int& exitCode);

// Binds the automation objects to the process's palette (256 colour values) and the
// main window's hook that shows a change, and makes the window's close query ask while
// objects are alive.
void TintaryServerAttach(TCustomForm* mainForm, std::uint32_t* palette, TNotifyEvent onPaletteChanged);
// Undoes the binding (the main window calls it before it goes).
void TintaryServerDetach();

// True when COM started the program (the automation start mode).
bool TintaryStartedByCom();
