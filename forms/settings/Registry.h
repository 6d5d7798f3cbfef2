// TRegistry: one open key below a root key, with string values. Opening reports
// failure as a result; reading and writing a value raise ERegistryException.
#pragma once

#include <windows.h>

#include <string>

#include "forms/core/Object.h"
#include "forms/core/SysUtils.h"

QV_EXCEPTION(ERegistryException, Exception);

class TRegistry : public TObject {
public:
  // Root HKEY_CURRENT_USER, access KEY_ALL_ACCESS, no key open.
  TRegistry() = default;
  explicit TRegistry(REGSAM access) : access_(access) {}
  ~TRegistry() override;

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY key);  // closes the open key
  HKEY CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }
  // The rights with which OpenKey opens and creates keys.
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM access) { access_ = access; }

  // A key starting with '\' is taken from the root, any other from the open key when
  // one is open (else from the root). On success the new key replaces the open one.
  bool OpenKey(const std::string& key, bool canCreate);
  // Opens with read rights only and leaves Access at KEY_READ.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool CreateKey(const std::string& key);  // ERegistryException when it cannot
  bool KeyExists(const std::string& key);
  // Deletes the key with every key below it.
  bool DeleteKey(const std::string& key);

  // In the open key; "" names the key's default value.
  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);
  // A missing value reads as ""; a value that is no string raises ERegistryException.
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);

private:
  // The parent and the path below it that a key name refers to.
  HKEY BaseKey(const std::string& key, std::string& path) const;
  void ChangeKey(HKEY key, const std::string& path);

  HKEY rootKey_ = HKEY_CURRENT_USER;
  HKEY currentKey_ = nullptr;
  std::string currentPath_;
  REGSAM access_ = KEY_ALL_ACCESS;
};
