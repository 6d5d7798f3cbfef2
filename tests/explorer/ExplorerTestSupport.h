// What the explorer's tests share beyond the main window's fixture (MainWindowFixture.h):
// the host's processor flags, read from the kernel of the host.
#pragma once

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

// The flags of the first processor in /proc/cpuinfo (under wine through drive Z:);
// empty when there is no such file. Under user-mode emulation the host's flags describe
// another processor: there QV_EMULATED_CPU_FLAGS names the emulated model's.
inline std::set<std::string> HostCpuFlags() {
  std::set<std::string> flags;
  std::string line;
  if (const char* emulated = std::getenv("QV_EMULATED_CPU_FLAGS")) {
    std::istringstream words(emulated);
    std::string w;
    while (words >> w) flags.insert(w);
    return flags;
  }
#ifdef _WIN32
  std::ifstream in("Z:\\proc\\cpuinfo");
#else
  std::ifstream in("/proc/cpuinfo");
#endif
  while (std::getline(in, line)) {
    if (line.rfind("flags", 0) != 0) continue;
    std::istringstream words(line.substr(line.find(':') + 1));
    std::string w;
    while (words >> w) flags.insert(w);
    break;
  }
  return flags;
}
