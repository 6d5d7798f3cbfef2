// The palette editor's side of its automation server: the start step that start-up runs
// (EditorStartMode.h; filled in when this file is linked into the program), the binding
// of the automation objects to WorkPalette and the main window, and the Server menu's
// commands. The object itself: Tintarycom.h.
#pragma once

// The start step: sets EditorStartMode from the server's start mode and binds the
// objects to WorkPalette. False when the program must end now, with exitCode: 0 after a
// registration or removal, 1 when the registry could not be updated or when COM started
// the program and its class factory could not be registered. A standalone editor whose
// factory cannot be registered shows the error and runs on without serving.
bool TintaryServerStart(int& exitCode);

// The objects work on WorkPalette, and a Set_Palette shows in FrmMain (logical palette
// rebuilt, entry 0 selected, grid repainted) while it is the main window.
void TintaryServerBind();

// Once the windows stand: closing the main window asks first while objects are alive.
void TintaryServerAttach();
