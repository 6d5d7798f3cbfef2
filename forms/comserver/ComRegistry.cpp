// HKEY_CLASSES_ROOT entries of a COM server.
#include "forms/comserver/ComRegistry.h"

#include <windows.h>

#include <vector>

#include "forms/comserver/ComObj.h"

void CreateRegKey(const std::string& key, const std::string& valueName, const std::string& value) {
  HKEY handle = nullptr;
  LONG rc = RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (rc != ERROR_SUCCESS) throw EOleRegistrationError(std::string(SCreateRegKeyError));
  rc = RegSetValueExA(handle, valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                      reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  if (rc != ERROR_SUCCESS) throw EOleRegistrationError(std::string(SCreateRegKeyError));
}

void DeleteRegKey(const std::string& key) {
  LONG rc = RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
  if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    rc = RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) return;
  }
  throw EOleRegistrationError(std::string(SRemoveRegKeyError));
}

bool GetRegStringValue(const std::string& key, const std::string& valueName, std::string& value) {
  DWORD size = 0;
  const char* name = valueName.empty() ? nullptr : valueName.c_str();
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return false;
  std::vector<char> buffer(size + 1, '\0');
  DWORD got = static_cast<DWORD>(buffer.size());
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer.data(), &got) !=
      ERROR_SUCCESS)
    return false;
  value = buffer.data();
  return true;
}
