// The retained-mode failures of the Direct3D set-up, on Wine's real Direct3D with the
// stand-in "D3DRM.dll" beside this program (StandInD3DRM.cpp): a refused creation and a
// retained mode too old to make the device, each with its message and leaving the
// set-up's interfaces cleared.
#include <gtest/gtest.h>

#include <string>

#include "tests/display/DXDraw3DTestSupport.h"
#include "tests/display/Direct3DRequired.h"
#include "display/DXDraw3D.h"
#include "display/DXErrors.h"

namespace {

::testing::Environment* const direct3DRequired = ::testing::AddGlobalTestEnvironment(new TDirect3DRequired);

std::string ModuleFolder(HMODULE module) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(module, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of("\\/"));
}

const struct {
  const char* mode;
  const char* message;
} kCases[] = {
    {"refuse", "Direct3D RetainedMode cannot be initialized"},
    {"old", "IDirect3DRMDevice2 cannot be made"},
};

TEST(TDXDraw3DRetainedModeFailures, StopTheInitialisationWithTheirMessage) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.mode);
    SetEnvironmentVariableA("QV_D3DRM_STANDIN", c.mode);
    FormPtr form = ShownForm(Setup3D({doCenter, do3D, doHardware, doZBuffer, doRetainedMode}, false));
    TDXDraw* d = form->DXDraw1;
    EXPECT_EQ(MessageOf<EDXDrawError>([&] { d->Initialize(); }), c.message);
    EXPECT_FALSE(d->Initialized());
    EXPECT_EQ(d->Direct3D(), nullptr);
    // The stand-in, not Wine's library, was asked.
    HMODULE rm = GetModuleHandleA("d3drm.dll");
    ASSERT_NE(rm, nullptr);
    EXPECT_EQ(ModuleFolder(rm), ModuleFolder(nullptr));
  }
}

// The device and Direct3D were made before retained mode failed: they go again.
TEST(TDXDraw3DRetainedModeFailures, LeaveTheSetUpsInterfacesCleared) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.mode);
    SetEnvironmentVariableA("QV_D3DRM_STANDIN", c.mode);
    FormPtr form = ShownFormWithout3DSetUp({doCenter, do3D, doHardware});
    TDXDraw* d = form->DXDraw1;
    ASSERT_TRUE(d->Initialized());
    TDXDraw3DObjects* objects = nullptr;
    EXPECT_EQ(MessageOf<EDXDrawError>([&] { SetUpDXDraw3D(d, objects, {d3dHardware, d3dZBuffer, d3dRetainedMode}, false); }),
              c.message);
    ASSERT_NE(objects, nullptr);
    ExpectCleared(*objects);
    ReleaseDXDraw3D(d, objects);
  }
}

}  // namespace
