// The finish of the DirectX support, in the class library's finish order: the driver
// list goes, then every cached library is freed. A program of its own, since nothing
// of the library may be used after it.
#include <gtest/gtest.h>

#include "display/DXClass.h"
#include "display/DXDrivers.h"
#include "forms/runtime/Module.h"

namespace {

TEST(DirectXFinalization, FreesTheDriverListAndEveryCachedLibraryOnce) {
  ASSERT_EQ(GetModuleHandleA("dxprobe.dll"), nullptr);
  auto probe = LoadDirectXProcAs<int (*)()>("DXProbe.dll", "DXProbeEntry");
  EXPECT_EQ(probe(), 42);
  EXPECT_EQ(LoadDirectXProcAs<int (*)()>("dxprobe.DLL", "DXProbeEntry"), probe);
  LoadDirectXProc("DDraw.dll", "DirectDrawCreate");
  ASSERT_NE(DirectDrawDriverList(), nullptr);
  ASSERT_NE(GetModuleHandleA("dxprobe.dll"), nullptr);
  FinalizeUnits();
  EXPECT_EQ(DirectXLibraryCache(), nullptr);
  // Loaded once for both spellings and freed once: nothing holds it any more.
  EXPECT_EQ(GetModuleHandleA("dxprobe.dll"), nullptr);
}

}  // namespace
