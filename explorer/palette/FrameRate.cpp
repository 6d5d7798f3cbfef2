// The frame rate and its texts declared in FrameRate.h. Decimal rounding works once, on
// the value's first 18 significant digits, and rounds halves away from zero, so that an
// exact 2.25 shows as 2.3.
#include "explorer/palette/FrameRate.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// |value| as decimal digits d1 d2 ... with value = 0.d1d2... x 10^exponent.
struct TDecimal {
  std::string Digits;
  int Exponent = 0;
};

TDecimal ToDecimal(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17Le", std::fabs(value));
  TDecimal d;
  const char* p = text;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') d.Digits += *p;
  d.Exponent = *p == 'e' ? std::atoi(p + 1) + 1 : 1;
  if (d.Digits.find_first_not_of('0') == std::string::npos) {
    d.Digits = "0";
    d.Exponent = 1;
  }
  return d;
}

// Keeps count significant digits (at least 0), rounding the rest half away from zero.
void RoundTo(TDecimal& d, int count) {
  if (count < 0) {
    d.Digits = "0";
    d.Exponent = 1;
    return;
  }
  if (count >= static_cast<int>(d.Digits.size())) return;
  const bool up = d.Digits[count] >= '5';
  d.Digits.resize(count);
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.Digits[i] == '9') d.Digits[i--] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  if (d.Digits.empty()) {
    d.Digits = "0";
    d.Exponent = 1;
  }
}

char DigitAt(const TDecimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : '0';
}

// Fixed notation with the given decimals, from at most precision significant digits.
std::string Fixed(long double value, int precision, int decimals) {
  TDecimal d = ToDecimal(value);
  const int count = d.Exponent + decimals < precision ? d.Exponent + decimals : precision;
  RoundTo(d, count);
  std::string text;
  if (d.Exponent <= 0) {
    text = "0";
  } else {
    for (int i = 0; i < d.Exponent; ++i) text += DigitAt(d, i);
  }
  text += '.';
  for (int i = 0; i < decimals; ++i) text += DigitAt(d, d.Exponent + i);
  const bool zero = text.find_first_not_of("0.") == std::string::npos;
  return value < 0 && !zero ? "-" + text : text;
}

// Up to precision significant digits without trailing zeros, then "E" and the exponent.
std::string Exponent(long double value, int precision) {
  TDecimal d = ToDecimal(value);
  RoundTo(d, precision);
  while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
  std::string text = value < 0 ? "-" : "";
  text += d.Digits[0];
  if (d.Digits.size() > 1) text += "." + d.Digits.substr(1);
  return text + "E" + std::to_string(d.Exponent - 1);
}

// The texts of the values that have no digits.
bool Special(long double value, std::string& text) {
  if (std::isnan(value)) {
    text = "NAN";
    return true;
  }
  if (std::isinf(value)) {
    text = value < 0 ? "-INF" : "INF";
    return true;
  }
  return false;
}

}  // namespace

long double FrameRate(std::uint32_t frames, std::uint32_t now, std::uint32_t start) {
  const std::uint32_t elapsed = now - start;
  return static_cast<long double>(frames) / (static_cast<long double>(elapsed) * 0.001L);
}

std::string FrameRateText32(long double rate) {
  constexpr int Precision = 7;
  std::string text;
  if (Special(rate, text)) return text;
  if (ToDecimal(rate).Exponent > Precision) return Exponent(rate, Precision);
  return Fixed(rate, Precision, 1);
}

std::string FrameRateText8(long double rate) {
  constexpr int Width = 6;
  std::string text;
  if (!Special(rate, text)) text = Fixed(rate, 18, 1);
  if (text.size() < Width) text.append(Width - text.size(), ' ');
  return text;
}
