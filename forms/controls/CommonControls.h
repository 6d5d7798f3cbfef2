// The one place that registers the common-control window classes (track bar, up-down,
// ...) before a control of one is made.
#pragma once

#include <windows.h>

// Registers the classes named by ICC_ flags that are not registered yet; true when all
// of them are. A control whose class is missing fails at its window's creation.
bool InitCommonControlClasses(DWORD classes);
