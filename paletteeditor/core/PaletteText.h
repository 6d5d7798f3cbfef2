// The text-file rules the palette readers follow, as the editor's runtime reads text: a
// line ends at CR (an LF right after it goes with it; a bare LF ends nothing), Ctrl-Z or
// the end of the file ends the text, integers are blank-separated tokens that may stand
// on a following line. Used by the JASC and map readers and the format detection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "paletteeditor/core/ByteSource.h"
#include "paletteeditor/core/PaletteStatus.h"

namespace pal {

class TextInput {
 public:
  explicit TextInput(ByteSource& source) : source_(source) {}

  // At most `limit` characters of the current line, stopping before a CR or the end.
  std::string ReadHeader(std::size_t limit = 10);
  // Skips every character of code 32 or below, then reads the token up to the next one
  // as a signed decimal 32-bit integer. At the end of the text the value is 0, no error;
  // anything else that is not such an integer is Code::InvalidNumeric.
  Status ReadInteger(std::int32_t& value);
  // Discards the rest of the current line with its end.
  void SkipLine();

  // A failure of the source, once the text has ended.
  Status SourceStatus() const { return source_.status(); }

 private:
  static constexpr int kEnd = -1;
  int Peek();
  void Advance() { ++pos_; }

  ByteSource& source_;
  std::uint8_t buffer_[4096];
  std::size_t pos_ = 0;
  std::size_t size_ = 0;
  bool ended_ = false;  // Ctrl-Z or the end of the file was seen: nothing more is read
};

}  // namespace pal
