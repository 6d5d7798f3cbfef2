// The automation object's two methods and its class factory, made at program start.
#include "paletteeditor/server/Tintarycom.h"

#include <algorithm>

#include "paletteeditor/server/TintarycomArray.h"
#include "forms/comserver/ComServ.h"

TTintarycomBinding TintarycomPalette;

namespace {

TAutoObjectFactory* factory = nullptr;

struct TintarycomStart {
  TintarycomStart() { TintarycomFactory(); }
} tintarycomStart;

std::uint32_t* BoundPalette() {
  if (!TintarycomPalette.palette) throw EOleSysError(E_UNEXPECTED);
  return TintarycomPalette.palette;
}

}  // namespace

TAutoObjectFactory& TintarycomFactory() {
  // Owned by the server, which frees it after the forms.
  if (!factory)
    factory = new TAutoObjectFactoryOf<TTintarycom>(ComServerInstance(), CLSID_Tintarycom,
                                                    ciSingleInstance, tmSingle);
  return *factory;
}

HRESULT STDMETHODCALLTYPE TTintarycom::Get_Palette(LONG _from, LONG _to, VARIANT* Value) {
  if (!Value) return E_POINTER;
  VariantInit(Value);
  return SafeCall([&] { MakePaletteVariantArray(BoundPalette(), _from, _to, *Value); });
}

HRESULT STDMETHODCALLTYPE TTintarycom::Set_Palette(LONG _from, LONG _to, VARIANT Palette) {
  return SafeCall([&] {
    std::uint32_t* palette = BoundPalette();
    if (_to >= _from) {
      CheckPaletteRange(_from, _to);
      std::vector<std::uint32_t> colours = ReadPaletteVariantArray(Palette, _to - _from + 1);
      std::copy(colours.begin(), colours.end(), palette + _from);
    }
    if (TintarycomPalette.OnPaletteChanged) TintarycomPalette.OnPaletteChanged(this);
  });
}
