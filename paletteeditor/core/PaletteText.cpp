// The palette readers' text rules (see PaletteText.h).
#include "paletteeditor/core/PaletteText.h"

namespace pal {
namespace {
constexpr int kCtrlZ = 26;
constexpr int kCR = 13;
constexpr int kLF = 10;
constexpr std::int64_t kIntMax = 2147483647;
}  // namespace

int TextInput::Peek() {
  if (ended_) return kEnd;
  if (pos_ == size_) {
    size_ = source_.Read(buffer_, sizeof buffer_);
    pos_ = 0;
    if (size_ == 0) {
      ended_ = true;
      return kEnd;
    }
  }
  const int c = buffer_[pos_];
  // Nothing after a Ctrl-Z is text.
  if (c == kCtrlZ) {
    ended_ = true;
    return kEnd;
  }
  return c;
}

std::string TextInput::ReadHeader(std::size_t limit) {
  std::string text;
  for (int c = Peek(); text.size() < limit && c != kEnd && c != kCR; c = Peek()) {
    text.push_back(static_cast<char>(c));
    Advance();
  }
  return text;
}

Status TextInput::ReadInteger(std::int32_t& value) {
  int c = Peek();
  while (c != kEnd && c <= 32) {
    Advance();
    c = Peek();
  }
  if (c == kEnd) {
    value = 0;
    return SourceStatus();
  }
  // The whole token is passed over whatever it holds, as the runtime does.
  bool negative = false, digits = false, valid = true;
  std::int64_t magnitude = 0;
  bool first = true;
  for (; c != kEnd && c > 32; c = Peek(), first = false) {
    Advance();
    if (first && (c == '-' || c == '+')) {
      negative = c == '-';
      continue;
    }
    if (c < '0' || c > '9') {
      valid = false;
      continue;
    }
    digits = true;
    // Past the 32-bit range the token is refused, so the magnitude stops growing there.
    if (magnitude <= kIntMax + 1) magnitude = magnitude * 10 + (c - '0');
  }
  if (!valid || !digits || magnitude > kIntMax + (negative ? 1 : 0))
    return Fail(Code::InvalidNumeric);
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return {};
}

void TextInput::SkipLine() {
  for (int c = Peek(); c != kEnd; c = Peek()) {
    Advance();
    if (c == kCR) {
      if (Peek() == kLF) Advance();
      return;
    }
  }
}

}  // namespace pal
