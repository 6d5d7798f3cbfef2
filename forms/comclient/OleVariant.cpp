// TOleVariant's copying, conversions and release.
#include "forms/comclient/OleVariant.h"

#include <new>

#include "forms/comserver/ComConsts.h"

namespace {

void CheckCopy(HRESULT hr) {
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr)) throw EVariantError(SInvalidVarCast);
}

}  // namespace

TOleVariant::TOleVariant(LONG value) {
  VariantInit(&value_);
  V_VT(&value_) = VT_I4;
  V_I4(&value_) = value;
}

TOleVariant::TOleVariant(IDispatch* object) {
  VariantInit(&value_);
  V_VT(&value_) = VT_DISPATCH;
  V_DISPATCH(&value_) = object;
  if (object) object->AddRef();
}

TOleVariant TOleVariant::Take(VARIANT& source) {
  TOleVariant result;
  result.value_ = source;
  VariantInit(&source);
  return result;
}

TOleVariant TOleVariant::Null() {
  TOleVariant result;
  V_VT(&result.value_) = VT_NULL;
  return result;
}

TOleVariant::TOleVariant(const TOleVariant& other) {
  VariantInit(&value_);
  CheckCopy(VariantCopy(&value_, const_cast<VARIANT*>(&other.value_)));
}

TOleVariant::TOleVariant(TOleVariant&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

TOleVariant& TOleVariant::operator=(const TOleVariant& other) {
  if (this != &other) {
    TOleVariant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

TOleVariant& TOleVariant::operator=(TOleVariant&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

void TOleVariant::SetNull() {
  // The old value goes first: releasing an automation object may take a while (the
  // server answers the release), and the variant must not hold it meanwhile.
  VARIANT old = value_;
  VariantInit(&value_);
  V_VT(&value_) = VT_NULL;
  VariantClear(&old);
}

LONG TOleVariant::AsInteger() const {
  if (V_VT(&value_) == VT_I4) return V_I4(&value_);
  VARIANT converted;
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&value_), 0, VT_I4);
  if (FAILED(hr)) {
    VariantClear(&converted);
    throw EVariantError(hr == DISP_E_OVERFLOW ? SVarOverflow : SInvalidVarCast);
  }
  return V_I4(&converted);
}

IDispatch* TOleVariant::AsDispatch() const {
  if (V_VT(&value_) == VT_DISPATCH && V_DISPATCH(&value_)) return V_DISPATCH(&value_);
  throw EVariantError(SInvalidVarCast);
}
