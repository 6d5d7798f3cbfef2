// Reads and sets the x87 control word for the colouring tests, which must run with the
// explorer's default word 0x133F (64-bit precision, nearest, exceptions masked) as the
// render threads do, and which show what the Windows default 0x27F would change.
#pragma once

#include <cstdint>

#include "explorer/render/ExplorerControlWord.h"

constexpr std::uint16_t WindowsControlWord = 0x027F;   // 53-bit mantissa: how Wine starts threads

inline std::uint16_t X87ControlWord() {
  std::uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

inline void SetX87ControlWord(std::uint16_t cw) { asm volatile("fldcw %0" : : "m"(cw)); }

// Sets a control word for a scope and puts the previous one back.
class ScopedControlWord {
public:
  explicit ScopedControlWord(std::uint16_t cw) : Saved(X87ControlWord()) { SetX87ControlWord(cw); }
  ~ScopedControlWord() { SetX87ControlWord(Saved); }
  ScopedControlWord(const ScopedControlWord&) = delete;
  ScopedControlWord& operator=(const ScopedControlWord&) = delete;

private:
  std::uint16_t Saved;
};
