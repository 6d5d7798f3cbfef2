// Processor features: the decision from the identification instruction's answers as a
// table, the starting kernel switches, and this processor's flags against what the
// kernel of the host says in /proc/cpuinfo (under wine through drive Z:).
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tests/explorer/ExplorerTestSupport.h"
#include "explorer/app/KernelChoice.h"

namespace {

struct CpuidCase {
  const char* What;
  TCpuidReadings Readings;
  TProcessorFeatures Expected;
};

constexpr std::uint32_t Bit31 = 1u << 31, Sse2Bit = 1u << 26, SseBit = 1u << 25;

const CpuidCase CpuidCases[] = {
    {"no identification instruction: nothing", {false, 0x80000001, Bit31, SseBit | Sse2Bit},
     {0, 0, 0}},
    {"SSE and SSE2", {true, 0x80000008, 0, SseBit | Sse2Bit}, {1, 1, 0}},
    {"3DNow! from the extended query", {true, 0x80000001, Bit31, 0}, {0, 0, 1}},
    {"no extended function above 0x80000000: no 3DNow!", {true, 0x80000000, Bit31, SseBit},
     {1, 0, 0}},
    {"everything", {true, 0x80000001, Bit31, SseBit | Sse2Bit}, {1, 1, 1}},
};

class Cpuid : public ::testing::TestWithParam<CpuidCase> {};

TEST_P(Cpuid, Features) {
  const CpuidCase& c = GetParam();
  TProcessorFeatures f = FeaturesFromCpuid(c.Readings);
  EXPECT_EQ(f.HasSSE, c.Expected.HasSSE);
  EXPECT_EQ(f.HasSSE2, c.Expected.HasSSE2);
  EXPECT_EQ(f.Has3DNow, c.Expected.Has3DNow);
}

INSTANTIATE_TEST_SUITE_P(Cases, Cpuid, ::testing::ValuesIn(CpuidCases));

TEST(StartingKernels, SseWinsOver3DNow) {
  TKernelSwitches k = StartingKernelSwitches({1, 1, 1});
  EXPECT_EQ(k.UseSSE, -1);
  EXPECT_EQ(k.Use3DNow, 0);
  EXPECT_EQ(k.UseSSE2, 0);
  k = StartingKernelSwitches({0, 0, 1});
  EXPECT_EQ(k.UseSSE, 0);
  EXPECT_EQ(k.Use3DNow, -1);
  k = StartingKernelSwitches({0, 1, 0});
  EXPECT_EQ(k.UseSSE, 0);
  EXPECT_EQ(k.Use3DNow, 0);
  EXPECT_EQ(k.UseSSE2, 0);
}

TEST(ThisProcessor, MatchesTheHostKernelsFlags) {
  const std::set<std::string> flags = HostCpuFlags();
  if (flags.empty()) GTEST_SKIP() << "no /proc/cpuinfo to compare with";
  TProcessorFeatures f = DetectProcessorFeatures();
  EXPECT_EQ(f.HasSSE, flags.count("sse") ? 1 : 0);
  EXPECT_EQ(f.HasSSE2, flags.count("sse2") ? 1 : 0);
  EXPECT_EQ(f.Has3DNow, flags.count("3dnow") ? 1 : 0);
}

}  // namespace
