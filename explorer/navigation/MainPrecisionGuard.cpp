// PrecisionGuard: after a zoom the kernel moves to a wider floating-point format when the
// view has become too narrow for the one in use, and says so. The rule itself is in
// Navigation.cpp (PrecisionGuardSteps).
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/parameters/ParametersWindow.h"
#include "explorer/render/RenderSettings.h"
#include "forms/controls/CheckBox.h"
#include "forms/dialogs/Responder.h"

namespace {

const char* const GuardCaption = "Quorvel Warning";
const char* const SinglesOffText =
    "3dnow or sse is switched off since 32 bit floating point data is not enough";
const char* const Sse2OffText = "sse2 is switched off since 64 bit floating point data is not enough";

}  // namespace

void TForm1::PrecisionGuard(bool reconfine) {
  const TGuardSteps steps = PrecisionGuardSteps(
      ViewWidth, ViewHeight, TKernelSwitches{UseSSE2, UseSSE, Use3DNow}, HasSSE2);
  // The parameters window's kernel check boxes follow the switches: its OK reads the
  // kernel from them.
  if (steps.SinglesOff) {
    Use3DNow = 0;
    UseSSE = 0;
    UserResponder().MessageBox(Handle(), SinglesOffText, GuardCaption, MB_OK | MB_ICONINFORMATION);
    if (reconfine) ReconfineInFullScreen();
    if (Form2) {
      Form2->CheckBox5->SetChecked(false);
      Form2->CheckBox4->SetChecked(false);
    }
    if (steps.Sse2On) {
      UseSSE2 = -1;
      if (Form2) Form2->CheckBox2->SetChecked(true);
    }
  }
  if (steps.Sse2Off) {
    UseSSE2 = 0;
    UserResponder().MessageBox(Handle(), Sse2OffText, GuardCaption, MB_OK | MB_ICONINFORMATION);
    if (reconfine) ReconfineInFullScreen();
    if (Form2) Form2->CheckBox2->SetChecked(false);
  }
}
