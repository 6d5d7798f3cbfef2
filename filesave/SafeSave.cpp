// The platform-neutral half of SafeSave (SafeSave.h): the sticky first failure, the
// whole-buffer save and the messages. The file calls are in SafeSaveWin32.cpp and
// SafeSavePosix.cpp.
#include "filesave/SafeSave.h"

#include <cstdio>
#include <utility>

namespace {

constexpr const char* kMessages[] = {
    "",
    "\"%s\" was not saved: the disk is full.",
    "\"%s\" was not saved: access to the file or its folder is denied.",
    "\"%s\" was not saved: its folder does not exist.",
    "\"%s\" was not saved: there is a folder of that name.",
    "\"%s\" was not saved: the file could not be written (system error %ld).",
};
static_assert(sizeof(kMessages) / sizeof(kMessages[0]) == static_cast<std::size_t>(SaveCode::Count),
              "one message per code");

}  // namespace

std::string SaveStatus::Message(const std::string& fileName) const {
  const char* format = kMessages[static_cast<std::size_t>(code)];
  const int n = std::snprintf(nullptr, 0, format, fileName.c_str(), value);
  if (n <= 0) return std::string();
  std::string text(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(&text[0], text.size(), format, fileName.c_str(), value);
  text.resize(static_cast<std::size_t>(n));
  return text;
}

SafeSave::SafeSave(std::string target) : target_(std::move(target)) {}

SafeSave::~SafeSave() { Discard(); }

SaveStatus SafeSave::Fail(SaveStatus status) {
  if (status_.ok()) status_ = status;
  Discard();
  return status_;
}

SaveStatus SaveWholeFile(const std::string& target, const void* data, std::size_t size) {
  SafeSave save(target);
  SaveStatus status = save.Begin();
  if (status.ok()) status = save.Write(data, size);
  if (status.ok()) status = save.Commit();
  return status;
}
