// Start values of the colour settings declared in ColorSettings.h; the main window's
// create handler and the parameter file set them afterwards.
#include "explorer/render/ColorSettings.h"

std::int32_t PaletteOffset = 0;
std::int32_t PaletteLoaded = 0;
double RedSlope = 8.0;
double GreenSlope = 16.0;
double BlueSlope = 24.0;
double ColorScale = 1.0;
std::uint32_t InsideColor = 0;
