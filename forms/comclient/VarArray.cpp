// The variant-array functions of VarArray.h over SAFEARRAY.
#include "forms/comclient/VarArray.h"

#include <new>

#include "forms/comserver/ComConsts.h"

namespace {

// The array of a variant that holds one directly or by reference.
SAFEARRAY* ArrayOf(const VARIANT& v) {
  if (!(V_VT(&v) & VT_ARRAY)) throw EVariantError(SVarNotArray);
  SAFEARRAY* array = (V_VT(&v) & VT_BYREF) ? (V_ARRAYREF(&v) ? *V_ARRAYREF(&v) : nullptr) : V_ARRAY(&v);
  if (!array) throw EVariantError(SVarNotArray);
  return array;
}

VARTYPE ElementType(SAFEARRAY* array) {
  VARTYPE type = VT_EMPTY;
  if (FAILED(SafeArrayGetVartype(array, &type))) throw EVariantError(SInvalidVarCast);
  // Elements other than variants travel in a variant's 8-byte value field; wider ones
  // (decimals, records) would overwrite its type.
  if (type != VT_VARIANT && SafeArrayGetElemsize(array) > sizeof(LONGLONG)) throw EVariantError(SInvalidVarCast);
  return type;
}

// Pointer-sized elements are passed to the SAFEARRAY functions as the pointer itself,
// every other type through the address of its value.
bool PassedByPointer(VARTYPE type) { return type == VT_BSTR || type == VT_UNKNOWN || type == VT_DISPATCH; }

void CheckElementResult(HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (hr == DISP_E_BADINDEX) throw EVariantError(SVarArrayBounds);
  throw EVariantError(SInvalidVarCast);
}

void CheckOneDimension(SAFEARRAY* array) {
  // A multi-dimensional array has no element at a single index.
  if (SafeArrayGetDim(array) != 1) throw EVariantError(SVarArrayBounds);
}

}  // namespace

TOleVariant VarArrayCreate(LONG low, LONG high, VARTYPE elementType) {
  if (high < low - 1) throw EVariantError(SVarArrayCreate);
  SAFEARRAYBOUND bound;
  bound.lLbound = low;
  bound.cElements = static_cast<ULONG>(static_cast<LONGLONG>(high) - low + 1);
  SAFEARRAY* array = SafeArrayCreate(elementType, 1, &bound);
  if (!array) throw EVariantError(SVarArrayCreate);
  TOleVariant result;
  V_VT(&result.Value()) = static_cast<VARTYPE>(VT_ARRAY | elementType);
  V_ARRAY(&result.Value()) = array;
  return result;
}

UINT VarArrayDimCount(const TOleVariant& array) {
  if (!(array.VarType() & VT_ARRAY)) return 0;
  return SafeArrayGetDim(ArrayOf(array.Value()));
}

LONG VarArrayLowBound(const TOleVariant& array, UINT dim) {
  LONG bound = 0;
  if (FAILED(SafeArrayGetLBound(ArrayOf(array.Value()), dim, &bound))) throw EVariantError(SVarArrayBounds);
  return bound;
}

LONG VarArrayHighBound(const TOleVariant& array, UINT dim) {
  LONG bound = 0;
  if (FAILED(SafeArrayGetUBound(ArrayOf(array.Value()), dim, &bound))) throw EVariantError(SVarArrayBounds);
  return bound;
}

void VarArrayPut(TOleVariant& array, const TOleVariant& value, LONG index) {
  SAFEARRAY* sa = ArrayOf(array.Value());
  CheckOneDimension(sa);
  const VARTYPE type = ElementType(sa);
  if (type == VT_VARIANT) {
    CheckElementResult(SafeArrayPutElement(sa, &index, const_cast<VARIANT*>(&value.Value())));
    return;
  }
  VARIANT converted;
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&value.Value()), 0, type);
  if (SUCCEEDED(hr)) {
    void* data = PassedByPointer(type) ? static_cast<void*>(V_BSTR(&converted)) : &V_I4(&converted);
    hr = SafeArrayPutElement(sa, &index, data);
  }
  VariantClear(&converted);
  CheckElementResult(hr);
}

TOleVariant VarArrayGet(const TOleVariant& array, LONG index) {
  SAFEARRAY* sa = ArrayOf(array.Value());
  CheckOneDimension(sa);
  const VARTYPE type = ElementType(sa);
  VARIANT element;
  VariantInit(&element);
  if (type == VT_VARIANT) {
    CheckElementResult(SafeArrayGetElement(sa, &index, &element));
  } else {
    // The element's bytes land in the variant's value; its type is set only once they
    // are there, so a failed read leaves nothing to free.
    CheckElementResult(SafeArrayGetElement(sa, &index, &V_I4(&element)));
    V_VT(&element) = type;
  }
  return TOleVariant::Take(element);
}
