// The program's start-up and finish order. The library starts when the program's
// statics are initialised (the application object and the screen exist from then on).
// FinalizeUnits, called once the message loop has ended, first frees the application
// with every form and component it owns, then runs the finalisations that the layers
// registered, the last registered first, so that libraries loaded on behalf of
// components are freed after every component is gone.
#pragma once

void AddFinalization(void (*finalize)());
void FinalizeUnits();
