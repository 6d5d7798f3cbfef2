// TDXDrawDisplay: the full-screen display setting of a display control (the wanted
// size and bit count, the rules of the best fit, the driver's mode list) and the
// operations that switch the display mode exactly or by best fit.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include "forms/core/Collection.h"

class TDirectDraw;

// What a display setting asks of the display control that owns it.
class TDXDrawDisplayOwner {
public:
  // The control's DirectDraw object, nil while the control is not initialised.
  virtual TDirectDraw* DisplayDDraw() const = 0;
  // The driver the control initialises with: nil for the primary display driver.
  virtual GUID* DisplayDriverGUID() const = 0;

protected:
  ~TDXDrawDisplayOwner() = default;
};

// One display mode, as DirectDraw's mode enumeration described it.
class TDXDrawDisplayMode : public TCollectionItem {
public:
  explicit TDXDrawDisplayMode(TCollection* collection) : TCollectionItem(collection) {}
  const DDSURFACEDESC& SurfaceDesc() const { return surfaceDesc_; }
  void SetSurfaceDesc(const DDSURFACEDESC& desc) { surfaceDesc_ = desc; }
  int Width() const { return static_cast<int>(surfaceDesc_.dwWidth); }
  int Height() const { return static_cast<int>(surfaceDesc_.dwHeight); }
  int BitCount() const { return static_cast<int>(surfaceDesc_.ddpfPixelFormat.dwRGBBitCount); }

private:
  DDSURFACEDESC surfaceDesc_{};
};

class TDXDrawDisplay : public TPersistent {
public:
  explicit TDXDrawDisplay(TDXDrawDisplayOwner* dxdraw);
  ~TDXDrawDisplay() override;

  // From another display: the size, the bit count and the three rules (not the modes).
  void Assign(TPersistent* source) override;

  int BitCount() const { return bitCount_; }
  // 8, 16, 24 or 32; anything else raises EDirectDrawError and keeps the old value.
  void SetBitCount(int value);
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value > 0 ? value : 0; }
  int Height() const { return height_; }
  void SetHeight(int value) { height_ = value > 0 ? value : 0; }
  // The best fit keeps the bit count.
  bool FixedBitCount() const { return fixedBitCount_; }
  void SetFixedBitCount(bool value) { fixedBitCount_ = value; }
  // The best fit tries the width-to-height ratio first.
  bool FixedRatio() const { return fixedRatio_; }
  void SetFixedRatio(bool value) { fixedRatio_ = value; }
  // The best fit keeps the width and height.
  bool FixedSize() const { return fixedSize_; }
  void SetFixedSize(bool value) { fixedSize_ = value; }

  TDXDrawDisplayOwner* DXDraw() const { return dxdraw_; }

  // The driver's modes, ascending by width, height and bit count. Both load the list
  // when it is empty, through the control's DirectDraw object or, before the control is
  // initialised, a temporary one for its driver (which can raise the creation errors).
  int Count();
  TDXDrawDisplayMode* Modes(int index);
  // The first mode of exactly this size and bit count, or -1.
  int IndexOf(int width, int height, int bitCount);
  // Forgets the modes; the next request enumerates again (the control's finalisation).
  void ClearModes() { modes_.Clear(); }

  // Switches to this mode through the control's DirectDraw object and, on success,
  // takes it as Width, Height and BitCount. False without a DirectDraw object.
  bool SetDisplayMode(int width, int height, int bitCount);
  // The exact mode, or the smallest listed mode that covers the size under the three
  // rules, preferring the wanted bit count at that size. Only the chosen mode is tried.
  bool SetBestDisplayMode(int width, int height, int bitCount);

private:
  void LoadModes();
  bool SearchAndSet(int width, int height, int bitCount, bool ratioTest);

  int bitCount_ = 8;
  TDXDrawDisplayOwner* dxdraw_;
  int height_ = 480;
  TCollection modes_;
  int width_ = 640;
  bool fixedBitCount_ = true;
  bool fixedRatio_ = true;
  bool fixedSize_ = false;
};
