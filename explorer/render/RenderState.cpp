// The render state declared in RenderState.h: empty until the first render start.
#include "RenderState.h"

std::int32_t RenderMaxIterations = 0;
std::int32_t RenderWidth = 0;
std::vector<std::int32_t> IterBuffer;
