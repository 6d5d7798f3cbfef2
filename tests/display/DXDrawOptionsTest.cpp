// The display control's option rules: what an initialisation keeps of the options
// asked for, and which options follow a change while initialised.
#include <gtest/gtest.h>

#include <string>

#include "display/DXDrawOptions.h"

namespace {

std::string Names(TDXDrawOptions o) {
  static const char* const names[] = {
      "doFullScreen", "doNoWindowChange", "doAllowReboot", "doWaitVBlank", "doAllowPalette256",
      "doSystemMemory", "doStretch", "doCenter", "doFlip", "do3D", "doDirectX7Mode",
      "doRetainedMode", "doHardware", "doSelectDriver", "doZBuffer", "doEmulationOnly"};
  std::string s = "[";
  for (int i = 0; i < 16; ++i)
    if (o.Contains(static_cast<TDXDrawOption>(i))) s += std::string(s.size() > 1 ? ", " : "") + names[i];
  return s + "]";
}

struct NormalCase {
  const char* what;
  TDXDrawOptions asked;
  TDXDrawOptions inForce;
};

const NormalCase kNormalCases[] = {
    {"the explorer's window", {doAllowReboot, doSystemMemory, doCenter, doHardware, doSelectDriver},
     {doSystemMemory, doCenter}},
    {"a new control", DefaultDXDrawOptions, {doWaitVBlank, doCenter}},
    {"full screen keeps its window options",
     {doFullScreen, doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip},
     {doFullScreen, doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip}},
    {"a window drops the full-screen options", {doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip}, {}},
    {"system memory cannot flip", {doFullScreen, doFlip, doSystemMemory}, {doFullScreen, doSystemMemory}},
    {"without 3D the 3D requests go",
     {doDirectX7Mode, doRetainedMode, doHardware, doSelectDriver, doZBuffer, doEmulationOnly},
     {doEmulationOnly}},
    {"DirectX 7 has no retained mode", {do3D, doDirectX7Mode, doRetainedMode, doZBuffer, doSelectDriver},
     {do3D, doDirectX7Mode, doZBuffer, doSelectDriver}},
    {"retained mode without DirectX 7 stays", {do3D, doRetainedMode}, {do3D, doRetainedMode}},
    {"hardware is always dropped", {doFullScreen, do3D, doHardware}, {doFullScreen, do3D}},
    {"window options pass", {doWaitVBlank, doStretch, doCenter}, {doWaitVBlank, doStretch, doCenter}},
    {"nothing", {}, {}},
};

TEST(DXDrawOptions, NormalisationAtInitialisation) {
  for (const NormalCase& c : kNormalCases)
    EXPECT_EQ(Names(NormalizedDXDrawOptions(c.asked)), Names(c.inForce)) << c.what;
}

struct LiveCase {
  const char* what;
  TDXDrawOptions now;
  TDXDrawOptions value;
  TDXDrawOptions result;
};

const LiveCase kLiveCases[] = {
    {"vertical blank and stretch follow at once", {doSystemMemory, doCenter},
     {doSystemMemory, doWaitVBlank, doStretch}, {doSystemMemory, doWaitVBlank, doStretch}},
    {"full screen waits for the next initialisation", {doSystemMemory, doCenter},
     {doFullScreen, doFlip, doSystemMemory, doCenter}, {doSystemMemory, doCenter}},
    {"options in force that are not live stay", {doFullScreen, doFlip, doAllowReboot},
     {}, {doFullScreen, doFlip, doAllowReboot}},
    {"emulation only follows", {doCenter}, {doEmulationOnly}, {doEmulationOnly}},
    {"3D requests go without 3D", {doHardware, doZBuffer, doCenter}, {doCenter}, {doCenter}},
    {"3D requests stay with 3D", {do3D, doHardware, doZBuffer, doRetainedMode}, {do3D},
     {do3D, doHardware, doZBuffer, doRetainedMode}},
    {"a requested 3D option does not enter", {do3D}, {do3D, doZBuffer, doCenter}, {do3D, doCenter}},
};

TEST(DXDrawOptions, OnlyTheLiveOptionsFollowWhileInitialised) {
  for (const LiveCase& c : kLiveCases)
    EXPECT_EQ(Names(LiveDXDrawOptions(c.now, c.value)), Names(c.result)) << c.what;
}

TEST(DXDrawOptions, OrdinalsAreTheStoredBits) {
  EXPECT_EQ(TDXDrawOptions{doFullScreen}.Bits(), 1u);
  EXPECT_EQ(TDXDrawOptions{doCenter}.Bits(), 0x80u);
  EXPECT_EQ(TDXDrawOptions{doEmulationOnly}.Bits(), 0x8000u);
  EXPECT_EQ(DefaultDXDrawOptions.Bits(), 0x348Cu);
}

}  // namespace
