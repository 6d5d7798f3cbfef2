// Interface queries by explicit identifier: DirectDraw's header declares no
// identifiers for __uuidof, so the wrappers name them at each query.
#pragma once

#include <unknwn.h>
#include <wrl/client.h>

template <class T>
HRESULT QueryTo(IUnknown* from, REFIID iid, Microsoft::WRL::ComPtr<T>& to) {
  to.Reset();
  if (!from) return E_POINTER;
  return from->QueryInterface(iid, reinterpret_cast<void**>(to.ReleaseAndGetAddressOf()));
}
