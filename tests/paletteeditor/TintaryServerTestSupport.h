// Helpers of the automation server's tests: owned variants, palette arrays built with
// any bounds and element type, and reading an array back as integers.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>
#include <vector>

// A VARIANT that clears itself.
struct TVariant {
  VARIANT v;
  TVariant() { VariantInit(&v); }
  TVariant(const TVariant&) = delete;
  TVariant& operator=(const TVariant&) = delete;
  ~TVariant() { VariantClear(&v); }
  VARIANT* operator->() { return &v; }
};

// A VT_ARRAY | VT_I4 variant with the given lower bound.
inline void MakeI4Array(TVariant& out, const std::vector<std::uint32_t>& values, LONG lower = 0) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, lower, static_cast<ULONG>(values.size()));
  for (size_t i = 0; i < values.size(); ++i) {
    LONG index = lower + static_cast<LONG>(i);
    LONG value = static_cast<LONG>(values[i]);
    SafeArrayPutElement(array, &index, &value);
  }
  V_VT(&out.v) = VT_ARRAY | VT_I4;
  V_ARRAY(&out.v) = array;
}

// A VT_ARRAY | VT_VARIANT variant whose elements are copies of the given variants.
inline void MakeVariantArray(TVariant& out, std::vector<VARIANT> elements) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(elements.size()));
  for (size_t i = 0; i < elements.size(); ++i) {
    LONG index = static_cast<LONG>(i);
    SafeArrayPutElement(array, &index, &elements[i]);
    VariantClear(&elements[i]);
  }
  V_VT(&out.v) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&out.v) = array;
}

inline VARIANT I4(LONG value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

inline VARIANT R8(double value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_R8;
  V_R8(&v) = value;
  return v;
}

inline VARIANT Str(const wchar_t* text) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(text);
  return v;
}

struct TArrayShape {
  VARTYPE type = VT_EMPTY;  // the variant's type
  LONG lower = 0, upper = -1;
  std::vector<std::int32_t> values;
};

// The shape and elements of a variant holding a one-dimensional VT_I4 array.
inline TArrayShape ShapeOf(const VARIANT& v) {
  TArrayShape shape;
  shape.type = V_VT(&v);
  if (shape.type != (VT_ARRAY | VT_I4)) return shape;
  SAFEARRAY* array = V_ARRAY(&v);
  if (SafeArrayGetDim(array) != 1) return shape;
  SafeArrayGetLBound(array, 1, &shape.lower);
  SafeArrayGetUBound(array, 1, &shape.upper);
  for (LONG i = shape.lower; i <= shape.upper; ++i) {
    LONG value = 0;
    SafeArrayGetElement(array, &i, &value);
    shape.values.push_back(value);
  }
  return shape;
}

// A test palette whose entries all differ and are valid colour values.
inline std::vector<std::uint32_t> TestColours(size_t count, std::uint32_t seed) {
  std::vector<std::uint32_t> colours(count);
  for (size_t i = 0; i < count; ++i)
    colours[i] = (seed * 2654435761u + static_cast<std::uint32_t>(i) * 40503u) & 0xFFFFFFu;
  return colours;
}
