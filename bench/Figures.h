// How every benchmark prints its figures: one "name value unit" line each.
#pragma once

#include <cstdio>

inline void PrintFigure(const char* name, double value, const char* unit) {
  std::printf("%s %.4g %s\n", name, value, unit);
  std::fflush(stdout);
}
