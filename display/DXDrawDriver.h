// The display control's presentation strategies: TDXDrawDriver creates the control's
// DirectDraw object and releases it again; TDXDrawDriverBlt serves a window (an
// off-screen back surface blitted into the client area, plain, centred or stretched),
// TDXDrawDriverFlip exclusive full screen with a flip chain. A driver works directly
// on the control's fields (DXDraw.h).
#pragma once

#include "forms/core/Object.h"

class TCustomDXDraw;

class TDXDrawDriver : public TObject {
public:
  // Creates the control's DDraw (and, for full-screen hardware 3D, lets the Direct3D
  // path choose the driver first).
  explicit TDXDrawDriver(TCustomDXDraw* dxDraw);
  // Finalize, then the DirectDraw object goes and the control forgets it.
  ~TDXDrawDriver() override;

  TCustomDXDraw* DXDraw() const { return dxDraw_; }

  // Releases what Initialize built: the Direct3D objects, then the clipper, the
  // palette, the back surface and the primary surface.
  virtual void Finalize();
  // Presents the back surface. AllowVBlankWait false skips the vertical-blank wait
  // that doWaitVBlank would otherwise make, for this presentation only.
  virtual void Flip(bool allowVBlankWait) = 0;
  virtual void Initialize() = 0;
  // True when the back surface was re-created.
  virtual bool SetSize(int width, int height);
  // The primary surface's Restore and, only when that succeeded, the back surface's.
  bool Restore();

protected:
  // The Direct3D set-up on the finished back surface; NowOptions then report which of
  // the 3D features it obtained.
  void SetUpDirect3D();

  TCustomDXDraw* dxDraw_;
};

class TDXDrawDriverBlt : public TDXDrawDriver {
public:
  using TDXDrawDriver::TDXDrawDriver;
  void Flip(bool allowVBlankWait) override;
  void Initialize() override;
  bool SetSize(int width, int height) override;
  // The back surface, in video memory when it fits, else in system memory.
  void InitializeSurface();
};

class TDXDrawDriverFlip : public TDXDrawDriver {
public:
  using TDXDrawDriver::TDXDrawDriver;
  void Flip(bool allowVBlankWait) override;
  void Initialize() override;
};
