// The render engine's road to the display control: the back surface's lock and unlock,
// presenting, the surface size and colour table, the drawing check, the canvas release
// and the vertical-blank wait, all over the main window's TDXDraw.
#pragma once

#include "explorer/render/RenderSurface.h"

class TCustomDXDraw;

class TDXDrawRenderSurface : public IRenderSurface {
public:
  explicit TDXDrawRenderSurface(TCustomDXDraw* dxDraw) : dxDraw_(dxDraw) {}
  virtual ~TDXDrawRenderSurface() = default;

  bool Lock(TLockedSurfaceDesc& desc) override;
  void Unlock() override;
  void Flip() override;
  std::int32_t Width() const override;
  std::int32_t Height() const override;
  const ColorTableEntry* ColorTable() const override;
  bool CanDraw() override;
  void ReleaseCanvas() override;
  void WaitForVerticalBlank() override;

private:
  TCustomDXDraw* dxDraw_;
};
