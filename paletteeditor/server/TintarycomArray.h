// The palette array that crosses the automation interface (PaletteVariantArray): a
// one-dimensional variant array of 32-bit integers, element k the colour value
// 0x00BBGGRR of palette entry first + k. Building one from palette entries, and reading
// one from a client's variant into a checked copy. Used by the automation object
// (Tintarycom.h).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <vector>

inline constexpr int kPaletteEntries = 256;

// Message texts of the failures (with the HRESULT each carries in EOleSysError).
inline constexpr const char SPaletteRange[] =
    "Palette entries %d to %d are outside the palette's entries 0 to 255";          // E_INVALIDARG
inline constexpr const char SPaletteNotArray[] = "The palette is not a one-dimensional array";  // DISP_E_TYPEMISMATCH
inline constexpr const char SPaletteElementType[] =
    "The palette array's elements are not numbers";                                  // DISP_E_BADVARTYPE
inline constexpr const char SPaletteElementSize[] =
    "The palette array's element size does not match its element type";             // E_INVALIDARG
inline constexpr const char SPaletteIndexMissing[] = "The palette array has no element %d";  // DISP_E_BADINDEX
inline constexpr const char SPaletteElementValue[] =
    "Palette array element %d does not convert to a 32-bit integer";                 // the conversion's code

// Raises EOleSysError with E_INVALIDARG unless 0 <= first <= last + 1 and last <= 255
// (last = first - 1 names no entry).
void CheckPaletteRange(long first, long last);

// A VT_ARRAY | VT_I4 variant with bounds 0 to last - first holding palette[first..last];
// last = first - 1 gives an array with no elements. Raises EOleSysError.
void MakePaletteVariantArray(const std::uint32_t* palette, long first, long last, VARIANT& result);

// Reads array indices 0 to count - 1 of the client's variant (an array, or a reference
// to one, at any depth of variant references) as colour values: each element converted
// to a 32-bit integer by the variant rules and taken as a colour value 0x00BBGGRR, its
// top byte cleared. Every element is read before anything is returned, so a fault leaves
// the caller's palette as it was. Raises EOleSysError.
std::vector<std::uint32_t> ReadPaletteVariantArray(const VARIANT& source, long count);
