// The colour settings declared in ColorSettings.h, starting from DefaultColorSettings; the
// main window's create handler and the parameter file set them afterwards.
#include "explorer/render/ColorSettings.h"

std::int32_t PaletteOffset = DefaultColorSettings.PaletteOffset;
std::int32_t PaletteLoaded = DefaultColorSettings.PaletteLoaded;
double RedSlope = DefaultColorSettings.RedSlope;
double GreenSlope = DefaultColorSettings.GreenSlope;
double BlueSlope = DefaultColorSettings.BlueSlope;
double ColorScale = DefaultColorSettings.ColorScale;
std::uint32_t InsideColor = DefaultColorSettings.InsideColor;

TColorSettings CurrentColorSettings() {
  TColorSettings s;
  s.PaletteOffset = PaletteOffset;
  s.PaletteLoaded = PaletteLoaded;
  s.RedSlope = RedSlope;
  s.GreenSlope = GreenSlope;
  s.BlueSlope = BlueSlope;
  s.ColorScale = ColorScale;
  s.InsideColor = InsideColor;
  return s;
}

void SetColorSettings(const TColorSettings& s) {
  PaletteOffset = s.PaletteOffset;
  PaletteLoaded = s.PaletteLoaded;
  RedSlope = s.RedSlope;
  GreenSlope = s.GreenSlope;
  BlueSlope = s.BlueSlope;
  ColorScale = s.ColorScale;
  InsideColor = s.InsideColor;
}

void ResetColorSettings() { SetColorSettings(DefaultColorSettings); }
