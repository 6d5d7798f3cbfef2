// What the explorer's tests share beyond the main window's fixture (MainWindowFixture.h):
// the host's processor flags, read from the kernel of the host.
#pragma once

#include <fstream>
#include <set>
#include <sstream>
#include <string>

// The flags of the first processor in /proc/cpuinfo (under wine through drive Z:);
// empty when there is no such file.
inline std::set<std::string> HostCpuFlags() {
#ifdef _WIN32
  std::ifstream in("Z:\\proc\\cpuinfo");
#else
  std::ifstream in("/proc/cpuinfo");
#endif
  std::set<std::string> flags;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("flags", 0) != 0) continue;
    std::istringstream words(line.substr(line.find(':') + 1));
    std::string w;
    while (words >> w) flags.insert(w);
    break;
  }
  return flags;
}
