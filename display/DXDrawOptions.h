// The display control's options (TDXDrawOption, TDXDrawOptions) and the rules by which
// the options asked for become the options in force. The control that applies them is
// in DXDraw.h.
#pragma once

#include "forms/core/Sets.h"

enum TDXDrawOption {
  doFullScreen,       // exclusive full screen with a display-mode change
  doNoWindowChange,   // full screen without DirectDraw changing the window
  doAllowReboot,      // full screen still allows the reboot key combination
  doWaitVBlank,       // wait for the vertical blank before presenting and palette updates
  doAllowPalette256,  // all 256 palette entries are the control's
  doSystemMemory,     // the back surface lies in system memory
  doStretch,          // the window driver stretches the back surface over the client area
  doCenter,           // the window driver centres the back surface in the client area
  doFlip,             // page flipping (full screen) instead of blitting
  do3D,               // Direct3D set-up on the back surface
  doDirectX7Mode,     // the DirectDraw object through the DirectX 7 interfaces
  doRetainedMode,     // Direct3D retained mode
  doHardware,         // hardware 3D device; with full screen, the chosen driver
  doSelectDriver,     // let the 3D set-up choose a driver
  doZBuffer,          // Z-buffer for the 3D device
  doEmulationOnly     // DirectDraw object in emulation only
};
using TDXDrawOptions = TSet<TDXDrawOption>;

// The options a control starts with.
constexpr TDXDrawOptions DefaultDXDrawOptions{doAllowReboot, doWaitVBlank, doCenter,
                                             doDirectX7Mode, doHardware, doSelectDriver};

// The options in force after an initialisation that asked for Value: what the
// requested mode cannot use is dropped, and doHardware always (the 3D set-up puts it
// back when it obtains a hardware device).
TDXDrawOptions NormalizedDXDrawOptions(TDXDrawOptions value);

// While initialised only doWaitVBlank, doStretch, doCenter and doEmulationOnly follow
// Value at once; the rest of Now stays until the next initialisation. Without do3D the
// 3D requests are dropped from the result.
TDXDrawOptions LiveDXDrawOptions(TDXDrawOptions now, TDXDrawOptions value);
