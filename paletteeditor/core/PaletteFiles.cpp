// The by-name palette file operations (see PaletteFiles.h): a file source for each read,
// one whole-file write for each save.
#include "paletteeditor/core/PaletteFiles.h"

#include <vector>

#include "paletteeditor/core/ByteSource.h"
#include "paletteeditor/core/PaletteCodecs.h"

namespace pal {
namespace {

using Decoder = Status (*)(ByteSource&, PaletteColours&);

Status ReadWith(Decoder decode, const std::string& fileName, PaletteColours& palette) {
  FileSource file;
  const Status opened = file.Open(fileName);
  if (!opened.ok()) return opened;
  return decode(file, palette);
}

Status Save(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  return WriteWholeFile(fileName, bytes.data(), bytes.size());
}

}  // namespace

Status ReadRawPalette(const std::string& fileName, PaletteColours& palette) {
  return ReadWith(DecodeRawPalette, fileName, palette);
}

Status ReadJascPalette(const std::string& fileName, PaletteColours& palette) {
  return ReadWith(DecodeJascPalette, fileName, palette);
}

Status ReadMapPalette(const std::string& fileName, PaletteColours& palette) {
  return ReadWith(DecodeMapPalette, fileName, palette);
}

Status ReadPaletteAuto(const std::string& fileName, PaletteColours& palette, std::int32_t& format) {
  std::string header;
  {
    FileSource file;
    const Status opened = file.Open(fileName);
    if (!opened.ok()) return opened;
    header = ReadFirstHeader(file);
    if (!file.status().ok()) return file.status();
  }
  if (header == JascSignature) {
    format = JascPalette;
    return ReadJascPalette(fileName, palette);
  }
  format = RawPalette;
  return ReadRawPalette(fileName, palette);
}

Status SaveRawPalette(const std::string& fileName, const PaletteColours& palette) {
  return Save(fileName, EncodeRawPalette(palette));
}

Status SaveJascPalette(const std::string& fileName, const PaletteColours& palette) {
  return Save(fileName, EncodeJascPalette(palette));
}

Status SaveMapPalette(const std::string& fileName, const PaletteColours& palette) {
  return Save(fileName, EncodeMapPalette(palette));
}

}  // namespace pal
