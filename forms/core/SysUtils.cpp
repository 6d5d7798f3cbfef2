// Format and the conversion and file-name helpers of SysUtils.h.
#include "forms/core/SysUtils.h"

#include <windows.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

char DecimalSeparator = '.';

namespace {

// printf does the number layout; the directive is checked against its argument first.
std::string FormatOne(const std::string& spec, char conv, const TFormatArg& arg,
                      const std::string& format) {
  auto bad = [&]() { return EConvertError(SInvalidFormat, format); };
  std::vector<char> buffer(64);
  auto print = [&](auto value) {
    std::string full = spec + conv;
    for (;;) {
      int n = std::snprintf(buffer.data(), buffer.size(), full.c_str(), value);
      if (n < 0) throw bad();
      if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
      buffer.resize(n + 1);
    }
  };
  switch (conv) {
    case 'd':
      if (arg.kind() != TFormatArg::kInt && arg.kind() != TFormatArg::kUInt) throw bad();
      return print(arg.AsInt());
    case 'u':
    case 'x':
    case 'X':
      if (arg.kind() != TFormatArg::kInt && arg.kind() != TFormatArg::kUInt) throw bad();
      return print(arg.AsUInt());
    case 'f':
    case 'e':
    case 'g': {
      if (arg.kind() != TFormatArg::kFloat) throw bad();
      std::string text = print(arg.AsFloat());
      if (DecimalSeparator != '.')
        for (char& c : text)
          if (c == '.') c = DecimalSeparator;
      return text;
    }
    case 's':
      if (arg.kind() != TFormatArg::kString) throw bad();
      return print(arg.AsString().c_str());
    default:
      throw bad();
  }
}

}  // namespace

std::string FormatList(const std::string& format, std::initializer_list<TFormatArg> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%') {
      out += c;
      continue;
    }
    size_t start = i++;
    if (i < format.size() && format[i] == '%') {
      out += '%';
      continue;
    }
    std::string spec = "%";
    while (i < format.size() && (format[i] == '-' || format[i] == '0')) spec += format[i++];
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) spec += format[i++];
    if (i < format.size() && format[i] == '.') {
      spec += format[i++];
      while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) spec += format[i++];
    }
    if (i >= format.size()) throw EConvertError(SInvalidFormat, format);
    if (next == args.end()) throw EConvertError(SArgumentMissing, format.substr(start, i - start + 1));
    out += FormatOne(spec, format[i], *next++, format);
  }
  return out;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(unsigned long code) {
  char* text = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n && text ? std::string(text, n) : std::string();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  throw EOSError(SOSError, static_cast<long long>(code), message);
}

std::string IntToStr(long long value) { return std::to_string(value); }

std::string IntToHex(unsigned long long value, int digits) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%0*llX", digits, value);
  return buffer;
}

bool TryStrToInt(const std::string& text, long long& value) {
  if (text.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  unsigned long long result = 0;
  for (; i < text.size(); ++i) {
    int c = std::tolower(static_cast<unsigned char>(text[i]));
    int digit = std::isdigit(c) ? c - '0' : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
    if (digit < 0) return false;
    if (result > (~0ull - digit) / base) return false;
    result = result * base + digit;
  }
  if (base == 10 && result > (negative ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull)) return false;
  value = negative ? static_cast<long long>(0 - result) : static_cast<long long>(result);
  return true;
}

long long StrToInt(const std::string& text) {
  long long value;
  if (!TryStrToInt(text, value)) throw EConvertError(SInvalidInteger, text);
  return value;
}

long long StrToIntDef(const std::string& text, long long fallback) {
  long long value;
  return TryStrToInt(text, value) ? value : fallback;
}

std::string FloatToStr(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  for (char& c : text)
    if (c == '.') c = DecimalSeparator;
  return text;
}

std::string FloatToStrFixed(double value, int decimals) {
  return Format("%." + std::to_string(decimals) + "f", value);
}

bool TryStrToFloat(const std::string& text, double& value) {
  std::string copy = Trim(text);
  if (copy.empty() || copy.size() != text.size()) return false;
  for (char& c : copy) {
    if (c == DecimalSeparator) c = '.';
    else if (c == '.' && DecimalSeparator != '.') return false;
  }
  char* end = nullptr;
  errno = 0;
  double result = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || errno == ERANGE) return false;
  value = result;
  return true;
}

bool TryStrToFloat(const std::string& text, long double& value) {
  std::string copy = Trim(text);
  if (copy.empty() || copy.size() != text.size()) return false;
  for (char& c : copy) {
    if (c == DecimalSeparator) c = '.';
    else if (c == '.' && DecimalSeparator != '.') return false;
    // Decimal notation only: no "inf", "nan" or hexadecimal forms.
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '+' && c != '-' &&
        c != 'e' && c != 'E')
      return false;
  }
  char* end = nullptr;
  errno = 0;
  long double result = std::strtold(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || errno == ERANGE) return false;
  value = result;
  return true;
}

long double StrToFloatExtended(const std::string& text) {
  long double value;
  if (!TryStrToFloat(text, value)) throw EConvertError(SInvalidFloat, text);
  return value;
}

std::string FloatToStrF(long double value, TFloatFormat, int precision, int digits) {
  precision = precision < 1 ? 1 : precision > 18 ? 18 : precision;
  digits = digits < 0 ? 0 : digits > 18 ? 18 : digits;
  // The significant digits and the decimal exponent, correctly rounded by printf.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", precision - 1, value);
  std::string text = buffer;
  const size_t e = text.find('e');
  if (e == std::string::npos) return text;  // inf or nan
  const int exponent = std::atoi(text.c_str() + e + 1);
  if (exponent >= precision) {
    for (char& c : text)
      if (c == '.') c = DecimalSeparator;
    return text;
  }
  if (exponent + 1 + digits <= precision) {
    // Every shown digit is significant: plain fixed notation rounds at the last decimal.
    std::snprintf(buffer, sizeof buffer, "%.*Lf", digits, value);
    text = buffer;
  } else {
    // The precision ends inside the decimals: the rest are zeros.
    const bool negative = text[0] == '-';
    std::string mantissa;
    for (size_t i = 0; i < e; ++i)
      if (std::isdigit(static_cast<unsigned char>(text[i]))) mantissa += text[i];
    std::string integer = exponent < 0 ? "0" : mantissa.substr(0, static_cast<size_t>(exponent) + 1);
    std::string decimals = exponent < 0 ? std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa
                                        : mantissa.substr(static_cast<size_t>(exponent) + 1);
    decimals.append(static_cast<size_t>(digits) - decimals.size(), '0');
    text = (negative ? "-" : "") + integer + "." + decimals;
  }
  for (char& c : text)
    if (c == '.') c = DecimalSeparator;
  return text;
}

double StrToFloat(const std::string& text) {
  double value;
  if (!TryStrToFloat(text, value)) throw EConvertError(SInvalidFloat, text);
  return value;
}

std::string LowerCase(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string UpperCase(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool SameText(const std::string& a, const std::string& b) { return LowerCase(a) == LowerCase(b); }

std::string Trim(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

namespace {
size_t AfterLastDelimiter(const std::string& fileName) {
  size_t pos = fileName.find_last_of("\\/:");
  return pos == std::string::npos ? 0 : pos + 1;
}
}  // namespace

std::string ExtractFilePath(const std::string& fileName) {
  return fileName.substr(0, AfterLastDelimiter(fileName));
}

std::string ExtractFileName(const std::string& fileName) {
  return fileName.substr(AfterLastDelimiter(fileName));
}

std::string ExtractFileExt(const std::string& fileName) {
  size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || dot < AfterLastDelimiter(fileName)) return "";
  return fileName.substr(dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
  size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || dot < AfterLastDelimiter(fileName)) return fileName + extension;
  return fileName.substr(0, dot) + extension;
}

bool FileExists(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
