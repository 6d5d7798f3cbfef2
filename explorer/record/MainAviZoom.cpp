// The main window's side of AVI recording: showing the record window, and the zoom
// flight's step that each finished render of an auto-mode recording takes. The step's
// arithmetic is in AviZoom.cpp, the record window in RecordWindow.cpp.
#include "explorer/record/AviZoom.h"
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/parameters/ParametersWindow.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/record/RecordWindow.h"
#include "display/DXDraw.h"
#include "forms/controls/CheckBox.h"
#include "forms/controls/RadioGroup.h"
#include "forms/core/SysUtils.h"

long double AviZoomFactorX = 0;
long double AviZoomFactorY = 0;

namespace {

const char StepTooLarge[] =
    "Auto Zoom Steps: %d pixels at each side do not fit a picture %d pixels wide";

}  // namespace

void TForm1::AVIRecord1Click(TObject*) {
  if (Form5) Form5->Show();
}

void TForm1::AviZoomStep() {
  // A failed frame ends the step before the view changes.
  Form5->Button1Click(Form5);

  const TNavGeometry g = Geometry();
  const int k = Form5->ZoomSteps();
  // A step that leaves nothing of the picture would turn the view inside out: the flight
  // stops at the frame just written, and says why.
  if (!AviZoomStepFits(k, g.SurfaceWidth, g.SurfaceHeight))
    throw Exception(StepTooLarge, k, g.SurfaceWidth);

  if (Form5->RadioGroup2->ItemIndex() == TForm5::ZoomIn) {
    SetView(AviZoomIn(CurrentView(), k, g));
  } else {
    TAviZoomFactors factors;
    SetView(AviZoomOut(CurrentView(), k, g, factors));
    AviZoomFactorX = factors.X;
    AviZoomFactorY = factors.Y;
  }

  // The flight's own precision rule, without a message.
  const TGuardSteps steps =
      AviPrecisionSteps(ViewWidth, ViewHeight, TKernelSwitches{UseSSE2, UseSSE, Use3DNow}, HasSSE2);
  const TKernelSwitches kernels = ApplyGuardSteps(TKernelSwitches{UseSSE2, UseSSE, Use3DNow}, steps);
  UseSSE2 = kernels.UseSSE2;
  UseSSE = kernels.UseSSE;
  Use3DNow = kernels.Use3DNow;
  // The parameters window's OK action reads the kernel from its check boxes.
  if (Form2) {
    if (steps.SinglesOff) {
      Form2->CheckBox5->SetChecked(false);
      Form2->CheckBox4->SetChecked(false);
    }
    if (steps.Sse2On) Form2->CheckBox2->SetChecked(true);
    if (steps.Sse2Off) Form2->CheckBox2->SetChecked(false);
  }

  ShowParameters();
  RestartRender();
}
