// The palette writers: `RawPalette` keeps the top 6 bits of every channel, so the two low
// bits are lost on a round trip; the text formats write every line with CR LF, and a map
// ends with a Ctrl-Z after its last line. The readers are in PaletteReader.cpp.
#include <string>

#include "paletteeditor/core/PaletteCodecs.h"

namespace pal {
namespace {

void AppendLine(std::vector<std::uint8_t>& out, const std::string& line) {
  out.insert(out.end(), line.begin(), line.end());
  out.push_back('\r');
  out.push_back('\n');
}

void AppendColourLines(std::vector<std::uint8_t>& out, const PaletteColours& palette) {
  for (const Colour c : palette)
    AppendLine(out, std::to_string(RedOf(c)) + " " + std::to_string(GreenOf(c)) + " " +
                        std::to_string(BlueOf(c)));
}

}  // namespace

std::vector<std::uint8_t> EncodeRawPalette(const PaletteColours& palette) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(RawPaletteSize);
  for (const Colour c : palette) {
    bytes.push_back((RedOf(c) >> 2) & 0x3F);
    bytes.push_back((GreenOf(c) >> 2) & 0x3F);
    bytes.push_back((BlueOf(c) >> 2) & 0x3F);
  }
  return bytes;
}

std::vector<std::uint8_t> EncodeMapPalette(const PaletteColours& palette) {
  std::vector<std::uint8_t> out;
  AppendColourLines(out, palette);
  out.push_back(TextEnd);
  return out;
}

std::vector<std::uint8_t> EncodeJascPalette(const PaletteColours& palette) {
  std::vector<std::uint8_t> out;
  AppendLine(out, JascSignature);
  AppendLine(out, JascVersion);
  AppendLine(out, std::to_string(JascCount));
  AppendColourLines(out, palette);
  return out;
}

}  // namespace pal
