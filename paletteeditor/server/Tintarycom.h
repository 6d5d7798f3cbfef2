// TTintarycom: the palette editor's automation object (coclass Tintarycom of type library
// TINTARY, interface ITintarycom). Every object of a process works on that process's one
// palette; a Set_Palette shows itself through TintarycomPaletteChanged. Its single-use
// class factory is made when the program starts (Tintarycom.cpp).
#pragma once

#include <cstdint>

#include "Tintary.h"  // made by widl from Tintary.idl
#include "forms/comserver/ComAutoObject.h"
#include "forms/core/Events.h"

class TTintarycom : public TAutoObject<ITintarycom> {
public:
  explicit TTintarycom(TAutoObjectFactory& factory) : TAutoObject(factory) {}

  // The colour values of entries _from to _to as a PaletteVariantArray (TintarycomArray.h).
  HRESULT STDMETHODCALLTYPE Get_Palette(LONG _from, LONG _to, VARIANT* Value) override;
  // Entries _from to _to := elements 0 to _to - _from of Palette, all or none; then the
  // editor's window shows the palette with entry 0 selected (also when _to < _from,
  // which writes nothing).
  HRESULT STDMETHODCALLTYPE Set_Palette(LONG _from, LONG _to, VARIANT Palette) override;
};

// The palette that the objects read and write (256 colour values 0x00BBGGRR) and the
// hook by which the window that shows it follows a Set_Palette (rebuild the logical
// palette, select entry 0, repaint). The editor binds both when its main window is made.
struct TTintarycomBinding {
  std::uint32_t* palette = nullptr;
  TNotifyEvent OnPaletteChanged;
};
extern TTintarycomBinding TintarycomPalette;

// The class factory (single instance, single threading model), for tests and start-up.
TAutoObjectFactory& TintarycomFactory();
