// The points at which the display drivers call the Direct3D path, and the request and
// result flags that cross them. The component's own path (DXDraw3DPath.h) serves them
// unless a test puts another in front of it with SetDXDraw3DPath. Without do3D nothing
// here is called.
#pragma once

#include "forms/core/Sets.h"

class TCustomDXDraw;
struct TDXDraw3DObjects;

enum TDXDraw3DFlag {
  d3dChooseDriver,  // request only: pick a DirectDraw driver that has a 3D device
  d3dAnyBitCount,   // request only: the display bit count may change to suit the device
  d3dHardware,      // a hardware device: wanted / obtained
  d3dRetainedMode,  // retained-mode objects: wanted / built
  d3dZBuffer        // a Z-buffer: wanted / attached
};
using TDXDraw3DFlags = TSet<TDXDraw3DFlag>;

struct TDXDraw3DPath {
  // Before the DirectDraw object exists: may set the control's driver and its
  // display's bit count.
  void (*SelectDriver)(TCustomDXDraw* dxDraw, TDXDraw3DFlags request);
  // On the finished back surface: builds the device (and what Request asks for) into
  // Objects and returns what it obtained. Raises EDXDrawError when it cannot.
  TDXDraw3DFlags (*SetUp)(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects,
                          TDXDraw3DFlags request, bool directX7);
  // Releases Objects (also their hold on the back surface) and clears the pointer;
  // called only when there are objects.
  void (*Release)(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects);
};

// Puts Path in front of the component's own; nil brings that back. The pointer must stay
// valid while it is installed.
void SetDXDraw3DPath(const TDXDraw3DPath* path);
// The path in use.
const TDXDraw3DPath* DXDraw3DPath();

// What the drivers call; each forwards to the installed path.
void SelectDXDraw3DDriver(TCustomDXDraw* dxDraw, TDXDraw3DFlags request);
TDXDraw3DFlags SetUpDXDraw3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects,
                             TDXDraw3DFlags request, bool directX7);
void ReleaseDXDraw3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects);
