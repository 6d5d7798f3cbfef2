// Reads palette-map lines into the fractal colours (see PaletteMap.h). The reading is
// more lenient than the palette editor's own reader: fields are cut at 12 characters and
// every number is read as far as it goes, so hand-edited maps with comments still load.
#include "explorer/files/palettemap/PaletteMap.h"

#include <algorithm>
#include <cstring>

#include "paletteeditor/core/PaletteCodecs.h"

namespace {

constexpr std::size_t kFieldWidth = 12;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Copy(text, from, count) of the runtime: `from` counted from 1, values below 1 read as 1.
std::string CopyFrom(const std::string& text, std::size_t from, std::size_t count) {
  const std::size_t start = from == 0 ? 0 : from - 1;
  if (start >= text.size()) return std::string();
  return text.substr(start, count);
}

}  // namespace

std::int32_t ReadMapInteger(const std::string& text, std::size_t& stop) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < n && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  // Accumulated unsigned; a digit that would overflow the 32-bit range ends the number.
  std::uint32_t value = 0;
  bool digits = false;
  for (; i < n; ++i) {
    const int d = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (d < 0) break;
    const std::uint64_t next = hex ? (std::uint64_t(value) << 4) | unsigned(d)
                                   : std::uint64_t(value) * 10 + unsigned(d);
    if (next > (hex ? 0xFFFFFFFFull : 0x7FFFFFFFull)) break;
    value = static_cast<std::uint32_t>(next);
    digits = true;
  }
  if (digits && i == n) {
    stop = 0;
    return static_cast<std::int32_t>(negative ? 0u - value : value);
  }
  stop = i + 1;
  return static_cast<std::int32_t>(value);
}

MapColour ParseMapLine(const std::string& line) {
  MapColour c;
  std::size_t stop = 0;
  const std::string t1 = CopyFrom(line, 1, kFieldWidth);
  c.Red = ReadMapInteger(t1, stop);
  const std::string t2 = CopyFrom(t1, stop, kFieldWidth);
  c.Green = ReadMapInteger(t2, stop);
  const std::string t3 = CopyFrom(t2, stop, kFieldWidth);
  c.Blue = ReadMapInteger(t3, stop);
  return c;
}

PaletteMapResult ApplyPaletteMap(std::vector<std::string> lines, std::int32_t offset,
                                 ColorTableEntry* table) {
  // Only the exact signature line marks a JASC file; its version and count lines go too.
  if (!lines.empty() && lines[0] == pal::JascSignature)
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(3, lines.size()));
  // The loop never takes the last line: a bare 256-colour list gets a closing Ctrl-Z line,
  // and a map whose Ctrl-Z line is followed by one more line loses that one.
  const std::string textEnd(1, static_cast<char>(pal::TextEnd));
  if (lines.size() == 256)
    lines.push_back(textEnd);
  else if (lines.size() == 258)
    lines.erase(lines.begin() + 257);

  const long long modulus = static_cast<long long>(lines.size()) - 1;
  for (int e = FirstFractalEntry; e < FirstFractalEntry + FractalColorCount; ++e) {
    // A list of one line has nothing to rotate over, an empty one no line 0 to take.
    if (modulus <= 0) return {true, 0};
    const long long line = (static_cast<long long>(offset) + e - FirstFractalEntry) % modulus;
    const int l = static_cast<int>(line < 0 ? line + modulus : line);
    const std::string& text = lines[static_cast<std::size_t>(l)];
    if (!text.empty() && static_cast<std::uint8_t>(text[0]) == pal::TextEnd) break;
    const MapColour c = ParseMapLine(text);
    table[e].Red = static_cast<std::uint8_t>(c.Red);
    table[e].Green = static_cast<std::uint8_t>(c.Green);
    table[e].Blue = static_cast<std::uint8_t>(c.Blue);
  }
  return {};
}
