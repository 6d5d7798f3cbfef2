// The bitmap library's messages and the one place where a failure value of the
// portable codec becomes the class library's exception.
#pragma once

#include "dib/core/BmpStatus.h"
#include "forms/core/SysUtils.h"

inline constexpr const char SInvalidDIB[] = "DIB is invalid";
inline constexpr const char SInvalidDIBBitCount[] = "Bitcount in invalid (%d)";
inline constexpr const char SInvalidDIBPixelFormat[] = "PixelFormat in invalid";
inline constexpr const char SScanline[] = "Index of the scanning line exceeded the range. (%d)";
inline constexpr const char SCannotMade[] = "%s cannot be made";
inline constexpr const char SDIB[] = "DIB";

// Raises the exception of the status's kind: EInvalidGraphic, EInvalidGraphicOperation
// or EReadError. A status that is not a failure raises nothing.
void CheckDIBStatus(const bmp::Status& status);
