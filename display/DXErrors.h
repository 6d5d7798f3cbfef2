// The exception classes of the display components. The DirectX wrappers raise the
// EDirectXError family; the display control and its drivers raise EDXDrawError, which
// is not part of that family. Their messages are in DXConsts.h.
#pragma once

#include "display/DXConsts.h"
#include "forms/core/SysUtils.h"

QV_EXCEPTION(EDirectXError, Exception);
QV_EXCEPTION(EDirectDrawError, EDirectXError);
QV_EXCEPTION(EDirectDrawPaletteError, EDirectDrawError);
QV_EXCEPTION(EDirectDrawClipperError, EDirectDrawError);
QV_EXCEPTION(EDirectDrawSurfaceError, EDirectDrawError);
QV_EXCEPTION(EDXDrawError, Exception);
