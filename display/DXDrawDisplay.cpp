// TDXDrawDisplay: the mode list, exact switching and the best-fit search.
#include "display/DXDrawDisplay.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <vector>

#include "display/DirectDraw.h"

namespace {

bool IsDisplayBitCount(int bitCount) {
  return bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

struct EnumContext {
  std::vector<DDSURFACEDESC> modes;
  std::exception_ptr failure;
};

// Nothing may unwind through DirectDraw's frames: a failure is kept for later.
HRESULT WINAPI EnumMode(LPDDSURFACEDESC desc, LPVOID context) {
  auto* c = static_cast<EnumContext*>(context);
  try {
    c->modes.push_back(*desc);
  } catch (...) {
    c->failure = std::current_exception();
    return DDENUMRET_CANCEL;
  }
  return DDENUMRET_OK;
}

HRESULT Enumerate(TDirectDraw* ddraw, EnumContext& context) {
  return ddraw->GetIDDraw()->EnumDisplayModes(0, nullptr, &context, &EnumMode);
}

}  // namespace

TDXDrawDisplay::TDXDrawDisplay(TDXDrawDisplayOwner* dxdraw)
    : dxdraw_(dxdraw), modes_(CollectionItemClass<TDXDrawDisplayMode>()) {}

TDXDrawDisplay::~TDXDrawDisplay() = default;

void TDXDrawDisplay::Assign(TPersistent* source) {
  if (source == this) return;
  if (auto* other = dynamic_cast<TDXDrawDisplay*>(source)) {
    bitCount_ = other->bitCount_;
    height_ = other->height_;
    width_ = other->width_;
    fixedBitCount_ = other->fixedBitCount_;
    fixedRatio_ = other->fixedRatio_;
    fixedSize_ = other->fixedSize_;
    return;
  }
  TPersistent::Assign(source);
}

void TDXDrawDisplay::SetBitCount(int value) {
  if (!IsDisplayBitCount(value)) throw EDirectDrawError(SDXInvalidDisplayBitCount);
  bitCount_ = value;
}

void TDXDrawDisplay::LoadModes() {
  modes_.Clear();
  EnumContext context;
  HRESULT hr;
  if (TDirectDraw* ddraw = dxdraw_ ? dxdraw_->DisplayDDraw() : nullptr) {
    hr = Enumerate(ddraw, context);
    ddraw->SetDXResult(hr);
  } else {
    TDirectDraw* temporary = new TDirectDraw(dxdraw_ ? dxdraw_->DisplayDriverGUID() : nullptr, true);
    try {
      hr = Enumerate(temporary, context);
    } catch (...) {
      temporary->Free();
      throw;
    }
    temporary->Free();
  }
  if (context.failure) std::rethrow_exception(context.failure);
  if (hr != DD_OK) return;
  std::stable_sort(context.modes.begin(), context.modes.end(), [](const DDSURFACEDESC& a, const DDSURFACEDESC& b) {
    if (a.dwWidth != b.dwWidth) return a.dwWidth < b.dwWidth;
    if (a.dwHeight != b.dwHeight) return a.dwHeight < b.dwHeight;
    return a.ddpfPixelFormat.dwRGBBitCount < b.ddpfPixelFormat.dwRGBBitCount;
  });
  for (const DDSURFACEDESC& desc : context.modes)
    static_cast<TDXDrawDisplayMode*>(modes_.Add())->SetSurfaceDesc(desc);
}

int TDXDrawDisplay::Count() {
  if (modes_.Count() == 0) LoadModes();
  return modes_.Count();
}

TDXDrawDisplayMode* TDXDrawDisplay::Modes(int index) {
  if (modes_.Count() == 0) LoadModes();
  return modes_.ItemsAs<TDXDrawDisplayMode>(index);
}

int TDXDrawDisplay::IndexOf(int width, int height, int bitCount) {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    TDXDrawDisplayMode* m = Modes(i);
    if (m->Width() == width && m->Height() == height && m->BitCount() == bitCount) return i;
  }
  return -1;
}

bool TDXDrawDisplay::SetDisplayMode(int width, int height, int bitCount) {
  TDirectDraw* ddraw = dxdraw_ ? dxdraw_->DisplayDDraw() : nullptr;
  if (!ddraw) return false;
  HRESULT hr = ddraw->GetIDDraw()->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                                  static_cast<DWORD>(bitCount));
  ddraw->SetDXResult(hr);
  if (hr != DD_OK) return false;
  width_ = width;
  height_ = height;
  bitCount_ = bitCount;
  return true;
}

bool TDXDrawDisplay::SearchAndSet(int width, int height, int bitCount, bool ratioTest) {
  int bestWidth = INT_MAX, bestHeight = INT_MAX, bestBitCount = bitCount;
  bool found = false;
  const long double wantedRatio = static_cast<long double>(width) / height;
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    TDXDrawDisplayMode* m = Modes(i);
    if (m->Width() > bestWidth || m->Height() > bestHeight) continue;
    if (ratioTest &&
        (m->Height() == 0 || wantedRatio != static_cast<long double>(m->Width()) / m->Height()))
      continue;
    if (fixedSize_) {
      if (m->Width() != width || m->Height() != height) continue;
    } else if (m->Width() < width || m->Height() < height) {
      continue;
    }
    if (fixedBitCount_) {
      if (m->BitCount() != bitCount) continue;
    } else if (!(m->BitCount() > 8 && bitCount > 8) && m->BitCount() < bitCount) {
      continue;
    }
    bestWidth = m->Width();
    bestHeight = m->Height();
    bestBitCount = m->BitCount();
    found = true;
  }
  if (!found) return false;
  if (bestBitCount != bitCount && IndexOf(bestWidth, bestHeight, bitCount) >= 0) bestBitCount = bitCount;
  return SetDisplayMode(bestWidth, bestHeight, bestBitCount);
}

bool TDXDrawDisplay::SetBestDisplayMode(int width, int height, int bitCount) {
  if (width <= 0 || height <= 0 || !IsDisplayBitCount(bitCount)) return false;
  if (SetDisplayMode(width, height, bitCount)) return true;
  if (fixedRatio_ && SearchAndSet(width, height, bitCount, true)) return true;
  return SearchAndSet(width, height, bitCount, false);
}
