// The editor's start mode and server commands (see EditorStartMode.h).
#include "EditorStartMode.h"

TEditorStartMode EditorStartMode = TEditorStartMode::Standalone;
void (*RegisterEditorServer)() = nullptr;
void (*UnregisterEditorServer)() = nullptr;
