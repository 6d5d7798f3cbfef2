// TIniFile over the profile functions. Values are read whole into a buffer that grows
// until the system no longer truncates them.
#include "forms/settings/IniFiles.h"

#include <windows.h>

#include <climits>
#include <vector>

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& fallback) const {
  std::vector<char> buffer(2048);
  for (;;) {
    DWORD n = GetPrivateProfileStringA(section.c_str(), ident.c_str(), fallback.c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer.size()), fileName_.c_str());
    // A result of size - 1 means the value did not fit.
    if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

long TIniFile::ReadInteger(const std::string& section, const std::string& ident, long fallback) const {
  std::string text = ReadString(section, ident, "");
  long long value = 0;
  if (!TryStrToInt(text, value) || value < LONG_MIN || value > LONG_MAX) return fallback;
  return static_cast<long>(value);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool fallback) const {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& ident, double fallback) const {
  std::string text = ReadString(section, ident, "");
  double value = 0;
  if (text.empty() || !TryStrToFloat(text, value)) return fallback;
  return value;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), fileName_.c_str()))
    throw EIniFileException(SIniFileWriteError, fileName_);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, long value) {
  WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  // Two different defaults tell a missing key from one that holds either of them.
  return ReadString(section, ident, "\x01") != "\x01" || ReadString(section, ident, "\x02") != "\x02";
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, fileName_.c_str()))
    throw EIniFileException(SIniFileWriteError, fileName_);
}
