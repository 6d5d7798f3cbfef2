// The palette readers: `RawPalette` (768 bytes of 6-bit red, green and blue, each taken
// times 4 modulo 256; bytes beyond the 768th are ignored), `MapPalette` (256 colour lines)
// and `JascPalette` (the lines "JASC-PAL", "0100" and "256", then 256 colour lines). A colour
// line holds red, green and blue in decimal; text behind the third number is a comment.
// The text rules are in PaletteText.h; the writers are in PaletteWriter.cpp.
#include "paletteeditor/core/PaletteCodecs.h"
#include "paletteeditor/core/PaletteText.h"

namespace pal {
namespace {

// 256 colour lines into `palette`, each value taken modulo 256; a file that ends early
// gives black for the entries it lacks.
Status ReadColourLines(TextInput& text, PaletteColours& palette) {
  PaletteColours read{};
  for (Colour& entry : read) {
    std::int32_t rgb[3];
    for (std::int32_t& v : rgb) {
      const Status s = text.ReadInteger(v);
      if (!s.ok()) return s;
    }
    text.SkipLine();
    entry = MakeColour(static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]),
                       static_cast<std::uint8_t>(rgb[2]));
  }
  if (!text.SourceStatus().ok()) return text.SourceStatus();
  palette = read;
  return {};
}

}  // namespace

Status DecodeRawPalette(ByteSource& source, PaletteColours& palette) {
  std::uint8_t block[RawPaletteSize];
  std::size_t got = 0;
  while (got < sizeof block) {
    const std::size_t n = source.Read(block + got, sizeof block - got);
    if (n == 0) break;
    got += n;
  }
  if (!source.status().ok()) return source.status();
  if (got < sizeof block) return Fail(Code::ReadBeyondEnd);
  for (int i = 0; i < PaletteSize; ++i) {
    const std::uint8_t* e = block + 3 * i;
    palette[i] = MakeColour(static_cast<std::uint8_t>(e[0] * 4), static_cast<std::uint8_t>(e[1] * 4),
                            static_cast<std::uint8_t>(e[2] * 4));
  }
  return {};
}

Status DecodeMapPalette(ByteSource& source, PaletteColours& palette) {
  TextInput text(source);
  return ReadColourLines(text, palette);
}

Status DecodeJascPalette(ByteSource& source, PaletteColours& palette) {
  TextInput text(source);
  const std::string signature = text.ReadHeader(HeaderLimit);
  text.SkipLine();
  const std::string version = text.ReadHeader(HeaderLimit);
  text.SkipLine();
  std::int32_t count = 0;
  const Status counted = text.ReadInteger(count);
  if (!counted.ok()) return counted;
  text.SkipLine();
  if (!text.SourceStatus().ok()) return text.SourceStatus();
  // Case and length must match: "JASC-PAL " and "jasc-pal" are refused.
  if (signature != JascSignature) return Fail(Code::JascSignature);
  if (version != JascVersion || count != JascCount) return Fail(Code::JascNot8Bit);
  return ReadColourLines(text, palette);
}

std::string ReadFirstHeader(ByteSource& source) {
  TextInput text(source);
  return text.ReadHeader(HeaderLimit);
}

}  // namespace pal
