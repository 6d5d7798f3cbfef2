// Late-bound calls on an automation object: a method found by its name through IDispatch
// and called with positional arguments, by value or, for a variable, by reference.
#pragma once

#include <initializer_list>
#include <string>

#include "forms/comclient/OleVariant.h"

// One argument of a call.
class TDispArg {
public:
  TDispArg(LONG value) : value_(value) {}
  TDispArg(const TOleVariant& value) : value_(value) {}
  // The variable itself is passed (VT_BYREF | VT_VARIANT); the object may read and
  // change it.
  static TDispArg ByRef(TOleVariant& variable);

  // The VARIANT put into the call's parameters.
  VARIANT Param() const;

private:
  TDispArg() = default;
  TOleVariant value_;
  TOleVariant* ref_ = nullptr;
};

// Calls method name of the object held by object (a VT_DISPATCH variant) with the
// arguments in their order and returns its result (empty when it has none). A method
// the object does not know raises EOleSysError; an exception reported by the object
// raises EOleException with its description, code and source; any other failing result
// of the call raises EOleSysError.
TOleVariant DispatchInvoke(const TOleVariant& object, const std::string& name,
                           std::initializer_list<TDispArg> args);
