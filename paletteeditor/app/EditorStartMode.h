// How this editor process was started, and what its main window asks of the automation
// server. Start-up sets them before the windows are made; the main window reads them
// (the automation start mode changes its menus, border and own-palette handling).
#pragma once

enum class TEditorStartMode { Standalone, Automation };

extern TEditorStartMode EditorStartMode;

// The automation server's start step, run right after the application's initialisation:
// false ends the program at once with exitCode (a registration from the command line).
// AttachEditorServer runs once the windows stand. Unset, the editor starts as a plain
// program.
extern bool (*StartEditorServer)(int& exitCode);
extern void (*AttachEditorServer)();

// The "Server" menu's commands: write and remove the server's registration. Unset, the
// menu items do nothing.
extern void (*RegisterEditorServer)();
extern void (*UnregisterEditorServer)();
