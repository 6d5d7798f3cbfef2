// Helpers of the Direct3D path's tests: a shown form with a display control, and the
// check that a failed set-up left none of its interfaces behind.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/display/DXDrawTestForm.h"
#include "tests/support/GuiTest.h"
#include "display/DXDraw3D.h"
#include "display/DXDraw3DObjects.h"

struct FormFreer {
  void operator()(TObject* o) const { o->Free(); }
};
using FormPtr = std::unique_ptr<TDXDrawTestForm, FormFreer>;

inline FormPtr ShownForm(TDXDrawFormSetup setup) {
  FormPtr form(New<TDXDrawTestForm>(nullptr, setup));
  form->Show();
  PumpFor(50);
  return form;
}

inline TDXDrawFormSetup Setup3D(TDXDrawOptions options, bool autoInitialize = true) {
  TDXDrawFormSetup setup;
  setup.options = options;
  setup.autoInitialize = autoInitialize;
  return setup;
}

// A control shown with these options and a back surface made for 3D, but with no device
// on it yet: Wine makes one Direct3D device per DirectDraw object, so a test that calls
// the set-up itself needs the control's own set-up left out.
inline FormPtr ShownFormWithout3DSetUp(TDXDrawOptions options) {
  static const TDXDraw3DPath nothing{
      [](TCustomDXDraw*, TDXDraw3DFlags) {},
      [](TCustomDXDraw*, TDXDraw3DObjects*&, TDXDraw3DFlags, bool) { return TDXDraw3DFlags{}; },
      [](TCustomDXDraw*, TDXDraw3DObjects*& objects) { objects = nullptr; }};
  SetDXDraw3DPath(&nothing);
  FormPtr form = ShownForm(Setup3D(options));
  SetDXDraw3DPath(nullptr);
  return form;
}

inline void ExpectCleared(const TDXDraw3DObjects& o) {
  EXPECT_EQ(o.ZBuffer, nullptr);
  EXPECT_FALSE(o.D3D || o.D3D2 || o.D3D3) << "Direct3D left";
  EXPECT_FALSE(o.D3DDevice || o.D3DDevice2 || o.D3DDevice3) << "device left";
  EXPECT_FALSE(o.D3DRM || o.D3DRM2 || o.D3DRM3) << "retained mode left";
  EXPECT_FALSE(o.D3DRMDevice || o.D3DRMDevice2 || o.Viewport) << "retained-mode device left";
  EXPECT_FALSE(o.Scene || o.Camera) << "frames left";
  EXPECT_FALSE(o.D3D7 || o.D3DDevice7) << "DirectX 7 interfaces left";
}

// The exception message of F, or "" when it raises none.
template <class E, class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return "";
}
