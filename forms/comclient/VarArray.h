// Variant arrays: one-dimensional SAFEARRAYs held in a TOleVariant, made, read and
// written element by element with the variant conversion rules. Failures raise
// EVariantError with the messages of ComConsts.h.
#pragma once

#include "forms/comclient/OleVariant.h"

// A VT_ARRAY variant of elements of the given type with bounds low to high.
TOleVariant VarArrayCreate(LONG low, LONG high, VARTYPE elementType);
// The number of dimensions; 0 when the variant holds no array.
UINT VarArrayDimCount(const TOleVariant& array);
// The bounds of dimension dim (counted from 1).
LONG VarArrayLowBound(const TOleVariant& array, UINT dim);
LONG VarArrayHighBound(const TOleVariant& array, UINT dim);
// Element index of a one-dimensional array; an index outside the bounds raises the
// bounds error, a value that does not convert to the element type the conversion error.
void VarArrayPut(TOleVariant& array, const TOleVariant& value, LONG index);
TOleVariant VarArrayGet(const TOleVariant& array, LONG index);
