// TRegistry over the advapi32 key and value functions.
#include "forms/settings/Registry.h"

#include <vector>

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY key) {
  if (key == rootKey_) return;
  CloseKey();
  rootKey_ = key;
}

HKEY TRegistry::BaseKey(const std::string& key, std::string& path) const {
  bool relative = key.empty() || key[0] != '\\';
  path = relative ? key : key.substr(1);
  return relative && currentKey_ ? currentKey_ : rootKey_;
}

void TRegistry::ChangeKey(HKEY key, const std::string& path) {
  CloseKey();
  currentKey_ = key;
  currentPath_ = path;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string path;
  HKEY base = BaseKey(key, path);
  bool relative = base == currentKey_ && currentKey_;
  HKEY opened = nullptr;
  LONG result;
  if (canCreate)
    result = RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                             &opened, nullptr);
  else
    result = RegOpenKeyExA(base, path.c_str(), 0, access_, &opened);
  if (result != ERROR_SUCCESS) return false;
  ChangeKey(opened, relative && !currentPath_.empty() ? currentPath_ + "\\" + path : path);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  std::string path;
  HKEY base = BaseKey(key, path);
  bool relative = base == currentKey_ && currentKey_;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  access_ = KEY_READ;
  ChangeKey(opened, relative && !currentPath_.empty() ? currentPath_ + "\\" + path : path);
  return true;
}

void TRegistry::CloseKey() {
  if (!currentKey_) return;
  RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

bool TRegistry::CreateKey(const std::string& key) {
  std::string path;
  HKEY base = BaseKey(key, path);
  HKEY created = nullptr;
  if (RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &created,
                      nullptr) != ERROR_SUCCESS)
    throw ERegistryException(SRegCreateFailed, key);
  RegCloseKey(created);
  return true;
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string path;
  HKEY base = BaseKey(key, path);
  HKEY opened = nullptr;
  if (RegOpenKeyExA(base, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

namespace {
// RegDeleteKey refuses keys that have subkeys: remove those first, deepest first.
LONG DeleteTree(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
  if (result != ERROR_SUCCESS) return result;
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD length = sizeof name;
    LONG e = RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (e != ERROR_SUCCESS) break;
    children.emplace_back(name, length);
  }
  for (const std::string& child : children) {
    result = DeleteTree(key, child);
    if (result != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return result;
  return RegDeleteKeyA(parent, path.c_str());
}
}  // namespace

bool TRegistry::DeleteKey(const std::string& key) {
  std::string path;
  HKEY base = BaseKey(key, path);
  if (path.empty()) return false;  // never the base key itself
  return DeleteTree(base, path) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!currentKey_) return false;
  return RegQueryValueExA(currentKey_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  if (!currentKey_) return false;
  return RegDeleteValueA(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!currentKey_) throw ERegistryException(SRegGetDataFailed, name);
  DWORD type = 0, size = 0;
  LONG result = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, &size);
  if (result == ERROR_FILE_NOT_FOUND) return "";
  if (result != ERROR_SUCCESS) throw ERegistryException(SRegGetDataFailed, name);
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(SInvalidRegType, name);
  // The value may change between the two calls: ask again while it grows.
  for (;;) {
    std::vector<char> data(size + 1, '\0');
    DWORD got = size;
    result = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                              &got);
    if (result == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (result != ERROR_SUCCESS) throw ERegistryException(SRegGetDataFailed, name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(SInvalidRegType, name);
    // Stored strings need not end with their terminator; stop at the first one inside.
    data[got] = '\0';
    return std::string(data.data());
  }
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!currentKey_) throw ERegistryException(SRegSetDataFailed, name);
  if (RegSetValueExA(currentKey_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw ERegistryException(SRegSetDataFailed, name);
}
