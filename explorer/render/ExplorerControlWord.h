// The explorer's x87 control word: 64-bit mantissa, rounding to nearest, all six
// exceptions masked, so that an overflow in the iteration gives an infinity or a NaN,
// never an exception. The main thread starts with it, and every secondary window loads
// it again when it opens.
#pragma once

constexpr unsigned short ExplorerControlWord = 0x133F;
