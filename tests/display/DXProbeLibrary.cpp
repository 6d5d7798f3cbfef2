// A library that only the tests load through LoadDirectXProc: nothing else in the
// process holds it, so whether it is still mapped tells how often it was loaded and
// freed.
#include <windows.h>

extern "C" __declspec(dllexport) int DXProbeEntry() { return 42; }
