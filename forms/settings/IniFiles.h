// TIniFile: typed reading and writing of one settings file through the system's
// profile functions (GetPrivateProfileString, WritePrivateProfileString).
#pragma once

#include <string>

#include "forms/core/Object.h"
#include "forms/core/SysUtils.h"

QV_EXCEPTION(EIniFileException, Exception);

class TIniFile : public TObject {
public:
  // A name without a folder would make the system look in the Windows folder: give a
  // full path.
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  // A missing file, section or key gives the default.
  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& fallback) const;
  // Decimal, or hexadecimal after "0x" or '$'; text that is no number gives the default.
  long ReadInteger(const std::string& section, const std::string& ident, long fallback) const;
  // Any integer other than 0 is true.
  bool ReadBool(const std::string& section, const std::string& ident, bool fallback) const;
  // With the process's decimal separator.
  double ReadFloat(const std::string& section, const std::string& ident, double fallback) const;

  // Each raises EIniFileException when the system cannot write the file.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, long value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);  // "1" / "0"
  void WriteFloat(const std::string& section, const std::string& ident, double value);

  bool ValueExists(const std::string& section, const std::string& ident) const;
  void DeleteKey(const std::string& section, const std::string& ident);

private:
  std::string fileName_;
};
