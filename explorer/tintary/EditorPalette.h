// The palette array that crosses to the palette editor: the 224 fractal colours of the
// display's colour table as a variant array of colour values 0x00BBGGRR, bounds 0 to 223,
// and the check of the array that comes back. MainTintary.cpp makes the calls.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "explorer/render/ColorTable.h"
#include "forms/comclient/OleVariant.h"

using TEditorColours = std::array<std::uint32_t, FractalColorCount>;

QV_EXCEPTION(EEditorPaletteError, Exception);

// The array sent: element k is entry 16 + k of table.
TOleVariant MakePaletteArray(const RGBQUAD* table);

// The colours of an answer, element k for entry 16 + k. Anything but a one-dimensional
// array with bounds 0 to 223 whose elements all convert to integers raises
// EEditorPaletteError (before the caller has changed anything).
TEditorColours ReadPaletteArray(const TOleVariant& answer);

// Entry 16 + k takes the red, green and blue bytes of colour k; the reserved bytes stay.
void StoreEditorColours(const TEditorColours& colours, RGBQUAD* table);
