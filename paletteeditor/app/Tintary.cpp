// Tintary, the palette editor: the program's entry point.
#include <windows.h>

#include "paletteeditor/app/EditorStartup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunEditor(); }
