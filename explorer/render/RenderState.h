// Render state fixed at each render start and read by every screen renderer, and the
// iteration buffer that keeps the counts of the last render for recolouring. The render
// start sets them; the renderers only read them (and write their own buffer elements).
#pragma once

#include <cstdint>
#include <vector>

extern std::int32_t RenderMaxIterations;  // working copy of the iteration limit
extern std::int32_t RenderWidth;          // the back surface's width at render start

// RenderWidth x RenderHeight counts, row by row: the count of an escaped pixel, 0 for a
// pixel that did not escape or that no renderer reached.
extern std::vector<std::int32_t> IterBuffer;
