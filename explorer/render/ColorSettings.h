// The explorer's colour settings: palette offset, table-or-gradient switch, gradient slopes
// and scale, inside colour. Owned by the main window, which sets them; every renderer
// reads them without a lock, so a change reaches only the pixels coloured after it.
#pragma once

#include <cstdint>

extern std::int32_t PaletteOffset;  // added to every count before it is coloured
extern std::int32_t PaletteLoaded;  // 0: colours from the slopes; -1: from the colour table
extern double RedSlope;             // gradient slopes, defaults 8, 16 and 24
extern double GreenSlope;
extern double BlueSlope;
extern double ColorScale;           // 1.0 or 0.01
extern std::uint32_t InsideColor;   // colour value 0x00BBGGRR of points that did not escape

// The colour settings taken whole, for what keeps or carries them apart from the globals:
// the parameter file, a disk render fixed at its start, a frame of palette animation.
// A value made with {} holds the start values.
struct TColorSettings {
  std::int32_t PaletteOffset = 0;
  std::int32_t PaletteLoaded = 0;
  double RedSlope = 8.0;
  double GreenSlope = 16.0;
  double BlueSlope = 24.0;
  double ColorScale = 1.0;
  std::uint32_t InsideColor = 0;  // black
};

// The start values of the colour settings: the program's, and those the main window's
// create handler gives the slopes, the scale and the inside colour.
inline constexpr TColorSettings DefaultColorSettings{};

// The globals as they are now, and all of them set from a snapshot.
TColorSettings CurrentColorSettings();
void SetColorSettings(const TColorSettings& settings);

// Every colour setting back to its start value, as the program begins (for tests, which
// run many windows in one program).
void ResetColorSettings();
