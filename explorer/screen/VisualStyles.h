// Visual styles switched off for the full screen on an 8-bit display and on again back
// in a window, through the visual-styles library bound at run time (a system without it
// keeps its classic look and nothing happens).
#pragma once

void SetThemesOff();
void SetThemesOn();
