// TOleVariant, an owned OLE VARIANT as the automation client holds it: empty, Null, an
// integer, an automation object or an array. The array functions are in VarArray.h,
// late-bound calls in DispatchInvoke.h.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "forms/core/SysUtils.h"

QV_EXCEPTION(EVariantError, Exception);

class TOleVariant {
public:
  TOleVariant() { VariantInit(&value_); }
  TOleVariant(LONG value);                 // VT_I4
  explicit TOleVariant(IDispatch* object);  // VT_DISPATCH, holding its own reference
  // Takes over a VARIANT that a call returned (the source is left empty).
  static TOleVariant Take(VARIANT& source);
  static TOleVariant Null();
  TOleVariant(const TOleVariant& other);
  TOleVariant(TOleVariant&& other) noexcept;
  TOleVariant& operator=(const TOleVariant& other);
  TOleVariant& operator=(TOleVariant&& other) noexcept;
  ~TOleVariant() { VariantClear(&value_); }

  VARTYPE VarType() const { return V_VT(&value_); }
  bool IsNull() const { return V_VT(&value_) == VT_NULL; }
  // Releases what it holds and becomes Null.
  void SetNull();

  // The value converted by the variant conversion rules; EVariantError when it does not
  // convert.
  LONG AsInteger() const;
  // The automation object held; EVariantError for anything else.
  IDispatch* AsDispatch() const;

  const VARIANT& Value() const { return value_; }
  VARIANT& Value() { return value_; }

private:
  VARIANT value_;
};
