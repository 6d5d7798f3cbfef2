// The editor's start mode and server commands (see EditorStartMode.h).
#include "paletteeditor/app/EditorStartMode.h"

TEditorStartMode EditorStartMode = TEditorStartMode::Standalone;
bool (*StartEditorServer)(int& exitCode) = nullptr;
void (*AttachEditorServer)() = nullptr;
void (*RegisterEditorServer)() = nullptr;
void (*UnregisterEditorServer)() = nullptr;
