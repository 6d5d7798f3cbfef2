// The palette readers under libFuzzer: every reader either refuses the input and leaves
// the palette alone, or reads it; what was read writes back to bytes that read again to
// the same palette (raw after its two low bits are gone), so saving never alters what
// the editor accepted.
#include <cstdlib>
#include <cstring>

#include "paletteeditor/core/PaletteCodecs.h"

namespace {

using pal::PaletteColours;
using Decoder = pal::Status (*)(pal::ByteSource&, PaletteColours&);
using Encoder = std::vector<std::uint8_t> (*)(const PaletteColours&);

PaletteColours Marked() {
  PaletteColours p;
  for (int i = 0; i < pal::PaletteSize; ++i) p[i] = 0x00ABCDEFu ^ std::uint32_t(i);
  return p;
}

void Check(Decoder decode, Encoder encode, const std::uint8_t* data, std::size_t size) {
  PaletteColours first = Marked();
  pal::MemorySource source(data, size);
  const pal::Status s = decode(source, first);
  if (!s.ok()) {
    if (first != Marked()) std::abort();
    if (s.info().fault == pal::Fault::None) std::abort();
    return;
  }
  for (pal::Colour c : first)
    if (c > 0xFFFFFF) std::abort();
  const std::vector<std::uint8_t> saved = encode(first);
  PaletteColours second = Marked();
  pal::MemorySource again(saved.data(), saved.size());
  if (!decode(again, second).ok()) std::abort();
  if (second != first) std::abort();
  if (encode(second) != saved) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Check(pal::DecodeRawPalette, pal::EncodeRawPalette, data, size);
  Check(pal::DecodeJascPalette, pal::EncodeJascPalette, data, size);
  Check(pal::DecodeMapPalette, pal::EncodeMapPalette, data, size);
  pal::MemorySource header(data, size);
  if (pal::ReadFirstHeader(header).size() > pal::HeaderLimit) std::abort();
  return 0;
}
