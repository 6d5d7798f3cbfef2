// PaletteVariantArray: building it from palette entries and reading a client's array
// into a checked copy of colour values.
#include "paletteeditor/server/TintarycomArray.h"

#include <oleauto.h>

#include "forms/comserver/ComObj.h"

namespace {

// The element size that a safe array of each accepted element type must have; reading an
// element copies that many bytes, so an array that claims another size is refused.
// Object elements are refused too: converting them would call back into the client.
bool ExpectedElementSize(VARTYPE type, ULONG& size) {
  switch (type) {
    case VT_I1:
    case VT_UI1: size = 1; return true;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: size = 2; return true;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4: size = 4; return true;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE: size = 8; return true;
    case VT_BSTR: size = sizeof(BSTR); return true;
    case VT_DECIMAL: size = sizeof(DECIMAL); return true;
    case VT_VARIANT: size = sizeof(VARIANT); return true;
    default: return false;
  }
}

// The array that the variant holds, following references to variants and to arrays.
SAFEARRAY* ArrayOf(const VARIANT& source) {
  const VARIANT* v = &source;
  for (int depth = 0; V_VT(v) == (VT_BYREF | VT_VARIANT); ++depth) {
    v = V_VARIANTREF(v);
    if (!v || depth == 16) throw EOleSysError(SPaletteNotArray, DISP_E_TYPEMISMATCH);
  }
  VARTYPE type = V_VT(v);
  if (!(type & VT_ARRAY)) throw EOleSysError(SPaletteNotArray, DISP_E_TYPEMISMATCH);
  SAFEARRAY* array = nullptr;
  if (type & VT_BYREF) array = V_ARRAYREF(v) ? *V_ARRAYREF(v) : nullptr;
  else array = V_ARRAY(v);
  if (!array || SafeArrayGetDim(array) != 1) throw EOleSysError(SPaletteNotArray, DISP_E_TYPEMISMATCH);
  return array;
}

// Element index of the array, converted to a 32-bit integer.
LONG ReadElement(SAFEARRAY* array, VARTYPE type, LONG index) {
  VARIANT element;
  VariantInit(&element);
  HRESULT hr;
  if (type == VT_VARIANT) {
    hr = SafeArrayGetElement(array, &index, &element);
  } else {
    // A decimal fills the whole variant, its type field included: set the type after.
    hr = SafeArrayGetElement(array, &index, type == VT_DECIMAL ? static_cast<void*>(&V_DECIMAL(&element))
                                                               : static_cast<void*>(&V_I8(&element)));
    if (SUCCEEDED(hr)) V_VT(&element) = type;
  }
  if (hr == DISP_E_BADINDEX) throw EOleSysError(Format(SPaletteIndexMissing, static_cast<long>(index)), hr);
  if (FAILED(hr)) throw EOleSysError(Format(SPaletteElementValue, static_cast<long>(index)), hr);

  VARIANT value;
  VariantInit(&value);
  hr = VariantChangeType(&value, &element, 0, VT_I4);
  VariantClear(&element);
  if (FAILED(hr)) {
    VariantClear(&value);
    throw EOleSysError(Format(SPaletteElementValue, static_cast<long>(index)), hr);
  }
  return V_I4(&value);
}

}  // namespace

void CheckPaletteRange(long first, long last) {
  if (first < 0 || first > kPaletteEntries || last >= kPaletteEntries || last < first - 1)
    throw EOleSysError(Format(SPaletteRange, first, last), E_INVALIDARG);
}

void MakePaletteVariantArray(const std::uint32_t* palette, long first, long last, VARIANT& result) {
  CheckPaletteRange(first, last);
  ULONG count = static_cast<ULONG>(last - first + 1);
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, count);
  if (!array) throw EOleSysError(E_OUTOFMEMORY);
  if (count > 0) {
    void* data = nullptr;
    HRESULT hr = SafeArrayAccessData(array, &data);
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      throw EOleSysError(hr);
    }
    LONG* elements = static_cast<LONG*>(data);
    for (ULONG k = 0; k < count; ++k) elements[k] = static_cast<LONG>(palette[first + static_cast<long>(k)]);
    SafeArrayUnaccessData(array);
  }
  V_VT(&result) = VT_ARRAY | VT_I4;
  V_ARRAY(&result) = array;
}

std::vector<std::uint32_t> ReadPaletteVariantArray(const VARIANT& source, long count) {
  SAFEARRAY* array = ArrayOf(source);
  VARTYPE type = VT_EMPTY;
  ULONG size = 0;
  if (FAILED(SafeArrayGetVartype(array, &type)) || !ExpectedElementSize(type, size))
    throw EOleSysError(SPaletteElementType, DISP_E_BADVARTYPE);
  if (SafeArrayGetElemsize(array) != size) throw EOleSysError(SPaletteElementSize, E_INVALIDARG);

  if (count > 0) {
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
      throw EOleSysError(SPaletteNotArray, DISP_E_TYPEMISMATCH);
    long missing = lower > 0 || upper < lower ? 0 : upper < count - 1 ? upper + 1 : -1;
    if (missing >= 0) throw EOleSysError(Format(SPaletteIndexMissing, missing), DISP_E_BADINDEX);
  }

  std::vector<std::uint32_t> colours;
  colours.reserve(static_cast<size_t>(count > 0 ? count : 0));
  for (LONG k = 0; k < count; ++k) {
    // Any 32-bit integer is accepted; a colour value has no top byte.
    const LONG value = ReadElement(array, type, k);
    colours.push_back(static_cast<std::uint32_t>(value) & 0x00FFFFFFu);
  }
  return colours;
}
