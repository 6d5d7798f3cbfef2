// PrecisionGuard: after a zoom the kernel moves to a wider floating-point format when the
// view has become too narrow for the one in use, and says so. The rule itself is in
// Navigation.cpp (PrecisionGuardSteps).
#include "ExplorerState.h"
#include "MainForm.h"
#include "RenderSettings.h"
#include "forms/Responder.h"

namespace {

const char* const GuardCaption = "Quorvel Warning";
const char* const SinglesOffText =
    "3dnow or sse is switched off since 32 bit floating point data is not enough";
const char* const Sse2OffText = "sse2 is switched off since 64 bit floating point data is not enough";

}  // namespace

void TForm1::PrecisionGuard(bool reconfine) {
  const TGuardSteps steps = PrecisionGuardSteps(
      ViewWidth, ViewHeight, TKernelSwitches{UseSSE2, UseSSE, Use3DNow}, HasSSE2);
  // The parameters window's kernel check boxes follow these switches once that window
  // is part of the program.
  if (steps.SinglesOff) {
    Use3DNow = 0;
    UseSSE = 0;
    UserResponder().MessageBox(Handle(), SinglesOffText, GuardCaption, MB_OK | MB_ICONINFORMATION);
    if (reconfine) ReconfineInFullScreen();
    if (steps.Sse2On) UseSSE2 = -1;
  }
  if (steps.Sse2Off) {
    UseSSE2 = 0;
    UserResponder().MessageBox(Handle(), Sse2OffText, GuardCaption, MB_OK | MB_ICONINFORMATION);
    if (reconfine) ReconfineInFullScreen();
  }
}
