// How the display control's requested options become the options in force.
#include "display/DXDrawOptions.h"

namespace {
constexpr TDXDrawOptions kLiveOptions{doWaitVBlank, doStretch, doCenter, doEmulationOnly};
constexpr TDXDrawOptions k3DRequests{doRetainedMode, doHardware, doSelectDriver, doZBuffer};
}  // namespace

TDXDrawOptions NormalizedDXDrawOptions(TDXDrawOptions value) {
  TDXDrawOptions now = value;
  // Each rule sees what the rules before it left.
  if (!now.Contains(doFullScreen))
    now -= TDXDrawOptions{doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip};
  if (!now.Contains(do3D)) now -= k3DRequests + TDXDrawOptions{doDirectX7Mode};
  if (now.Contains(doSystemMemory)) now.Exclude(doFlip);
  if (now.Contains(doDirectX7Mode)) now.Exclude(doRetainedMode);
  now.Exclude(doHardware);
  return now;
}

TDXDrawOptions LiveDXDrawOptions(TDXDrawOptions now, TDXDrawOptions value) {
  TDXDrawOptions result = (value * kLiveOptions) + (now - kLiveOptions);
  if (!result.Contains(do3D)) result -= k3DRequests;
  return result;
}
