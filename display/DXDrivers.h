// The DirectDraw drivers installed on the machine, listed once per program, and the
// rule by which driver identifiers are kept (also used by the display control's
// SetDriver). The list is freed at the program's finish, before the DirectX libraries.
#pragma once

#include <windows.h>

#include <string>

#include "forms/core/Collection.h"

// Keeps Given for later use: when it addresses 16 readable bytes they are copied into
// Storage and the result points at the copy; otherwise (nil, the primary display
// driver, or one of the small special values DirectDraw takes in place of a GUID) the
// pointer itself is the result.
GUID* KeepDriverGUID(const GUID* given, GUID& storage);

class TDirectXDriver : public TCollectionItem {
public:
  explicit TDirectXDriver(TCollection* collection) : TCollectionItem(collection) {}

  // The driver's identifier, nil for the primary display driver; never points into
  // memory that DirectDraw owns.
  ::GUID* GUID() const { return guid_; }
  void SetGUID(const ::GUID* value) { guid_ = KeepDriverGUID(value, guidStorage_); }
  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value) { description_ = value; }
  const std::string& DriverName() const { return driverName_; }
  void SetDriverName(const std::string& value) { driverName_ = value; }

private:
  ::GUID* guid_ = nullptr;
  ::GUID guidStorage_{};
  std::string description_;
  std::string driverName_;
};

class TDirectXDrivers : public TCollection {
public:
  TDirectXDrivers() : TCollection(CollectionItemClass<TDirectXDriver>()) {}
  // EInvalidCast for an item of another class.
  TDirectXDriver* Items(int index) const { return ItemsAs<TDirectXDriver>(index); }
};

// The program's driver list, built by DirectDrawEnumerateA on the first call. When the
// enumeration raises (DirectDraw missing), no list is kept and the next call tries again.
TDirectXDrivers* DirectDrawDriverList();
